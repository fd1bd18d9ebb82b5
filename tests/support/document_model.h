#pragma once

#include <cstdint>
#include <deque>
#include <vector>

#include "app/editor_model.h"
#include "app/icon_document_host.h"
#include "formats/built_in_icon_file_formats.h"

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

// The editor's object graph with the main frame's side scripted.
struct DocumentModel : EditorModel {
    explicit DocumentModel(const IconFileFormats& formats = builtInIconFileFormats())
        : EditorModel(formats)
    {
        document.setHost(&host);
    }
    ~DocumentModel() { document.setHost(nullptr); }

    ScriptedDocumentHost host;
};

} // namespace tessaly::test
