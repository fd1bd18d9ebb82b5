#pragma once

#include <cstdint>
#include <deque>
#include <vector>

#include "app/edit_list_menu.h"
#include "app/icon_document.h"
#include "app/icon_document_host.h"
#include "app/icon_list_state.h"
#include "app/import_menu.h"
#include "app/trash_menu.h"
#include "formats/built_in_icon_file_formats.h"
#include "image/icon_collection.h"
#include "support/editing_model.h"

namespace tessaly::test {

// The main frame's side of the document, scripted: each dialog or prompt
// takes the next answer queued for it (Cancel when none is left) and is
// counted.
class ScriptedDocumentHost final : public IconDocumentHost {
public:
    struct Conversion {
        IconFormat format;
        ConversionType type = ConversionType::None;
    };

    bool askNewIcon(IconFormat& format) override
    {
        ++newIconAsked;
        if (newIcons.empty())
            return false;
        format = newIcons.front();
        newIcons.pop_front();
        return true;
    }
    bool askConvert(IconFormat& format, ConversionType& type) override
    {
        convertOffered.push_back({format, type});
        if (conversions.empty())
            return false;
        format = conversions.front().format;
        type = conversions.front().type;
        conversions.pop_front();
        return true;
    }
    PromptAnswer askSaveEditedIcon() override
    {
        ++saveAsked;
        if (answers.empty())
            return PromptAnswer::Cancel;
        const PromptAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void untitledFileStarted() override { ++untitledFiles; }

    std::deque<IconFormat> newIcons;
    std::deque<Conversion> conversions;
    std::deque<PromptAnswer> answers;
    int newIconAsked = 0;
    int saveAsked = 0;
    int untitledFiles = 0;
    std::vector<Conversion> convertOffered;
};

// The three lists, their view states, the document and the three popups
// over the editing model, wired as the editor wires them.
struct DocumentModel : EditingModel {
    explicit DocumentModel(const IconFileFormats& formats = builtInIconFileFormats())
        : editIcons(formats)
        , trashIcons(formats)
        , importIcons(formats)
    {
        document.setHost(&host);
        editList.setMarkDuplicates(true);
        editList.setBackground(0xFFFFFF);
        trash.setBackground(0xDFDFDF);
        imports.setBackground(0xBFBFBF);
    }

    ScriptedDocumentHost host;
    IconCollection editIcons;
    IconCollection trashIcons;
    IconCollection importIcons;
    IconListState editList{editIcons, 0};
    IconListState trash{trashIcons, 1};
    IconListState imports{importIcons, 2};
    IconDocument document{{editList, trash, imports, image, history, palette, toolState, selection, commands}};
    EditListMenu editMenu{document, editList};
    TrashMenu trashMenu{document, trash};
    ImportMenu importMenu{document, imports};
};

} // namespace tessaly::test
