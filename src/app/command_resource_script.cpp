#include "app/command_resource_script.h"

#include <string_view>

#include "app/main_menu_layout.h"

namespace tessaly {
namespace {

// The script names a resource by its symbol in resource_ids.h, which it
// includes, so that the number stays written in one place. Naming the
// symbol here also makes sure it exists.
#define RESOURCE_SYMBOL(id) (static_cast<void>(id), std::string(#id))

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// A script string literal: quotes doubled, backslash and tab escaped.
std::string quoted(std::u16string_view text)
{
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        }
        if (c == u'"')
            out += "\"\"";
        else if (c == u'\\')
            out += "\\\\";
        else if (c == u'\t')
            out += "\\t";
        else
            appendUtf8(out, c);
    }
    return out + "\"";
}

void appendMenu(std::string& out)
{
    out += RESOURCE_SYMBOL(IDR_MAIN_MENU) + " MENU\nBEGIN\n";
    std::string indent = "    ";
    for (const MenuEntry& entry : kMainMenuLayout) {
        switch (entry.kind) {
        case MenuEntry::Kind::Item:
            out += indent + "MENUITEM " + quoted(entry.text) + ", " + std::to_string(entry.id) + "\n";
            break;
        case MenuEntry::Kind::Separator:
            out += indent + "MENUITEM SEPARATOR\n";
            break;
        case MenuEntry::Kind::Submenu:
            out += indent + "POPUP " + quoted(entry.text) + "\n" + indent + "BEGIN\n";
            indent += "    ";
            break;
        case MenuEntry::Kind::EndSubmenu:
            indent.resize(indent.size() - 4);
            out += indent + "END\n";
            break;
        }
    }
    out += "END\n";
}

void appendAccelerators(std::string& out)
{
    out += RESOURCE_SYMBOL(IDR_ACCELERATORS) + " ACCELERATORS\nBEGIN\n";
    for (const AcceleratorEntry& entry : kAccelerators) {
        out += "    " + std::to_string(entry.virtualKey) + ", " + std::to_string(commandNumber(entry.command)) +
               ", VIRTKEY";
        if (entry.control)
            out += ", CONTROL";
        out += "\n";
    }
    out += "END\n";
}

} // namespace

std::string commandResourceScript()
{
    std::string out = "// The menu bar and the accelerator table. Written by the native target\n"
                      "// tessaly_command_resources from src/app/main_menu_layout.h; do not edit.\n"
                      "#pragma code_page(65001)\n"
                      "#include \"resource_ids.h\"\n\n";
    appendMenu(out);
    out += "\n";
    appendAccelerators(out);
    return out;
}

} // namespace tessaly
