#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <span>
#include <string>

#include "cli/cli_arguments.h"
#include "image/icon_collection.h"
#include "image/icon_file_formats.h"

namespace tessaly {

// tessaly-cli without the process around it: reads icon files through the
// same IconCollection::open as the editor, so every file kind the editor can
// import works here too, and writes .ico and PAM files. make reads its
// picture itself: a PNG with every kind and its alpha, where the editor's
// import takes opaque ones only.
class CliProgram {
public:
    static constexpr int kSuccess = 0;
    static constexpr int kFailure = 1;

    explicit CliProgram(const IconFileFormats& formats)
        : m_formats(formats)
    {
    }

    // Runs one command line (without the program name); what a user should
    // see goes to out, every complaint to err. Returns the exit status.
    int run(std::span<const std::string> args, std::ostream& out, std::ostream& err) const;

private:
    int info(const CliArguments& args, std::ostream& out, std::ostream& err) const;
    int exportImage(const CliArguments& args, std::ostream& err) const;
    int convert(const CliArguments& args, std::ostream& err) const;
    int make(const CliArguments& args, std::ostream& err) const;
    // The picture make starts from; none with a message saying why.
    std::optional<IconImage> readPicture(const std::string& path, std::ostream& err) const;
    bool save(IconCollection& collection, const CliArguments& args, std::ostream& err) const;
    bool convertImages(const CliArguments& args, const IconCollection& source, IconCollection& result,
                       std::ostream& err) const;
    // The image an index names, or none with a message saying which exist.
    const IconImage* selectImage(const IconCollection& collection, const CliArguments& args, std::ostream& err) const;
    bool open(IconCollection& collection, const std::string& path, std::ostream& err) const;

    const IconFileFormats& m_formats;
};

// The whole program: runs the command line with the standard streams and
// returns the exit status (a failure also when the output could not be
// written).
int runCliProcess(std::span<const std::string> args);
// The same with other readers: on Windows those that reach the system's
// picture and resource loaders.
int runCliProcess(std::span<const std::string> args, const IconFileFormats& formats);

// Command-line words are UTF-8 text; this makes a path of one on every
// platform (on Windows a UTF-16 path).
std::filesystem::path pathFromUtf8(const std::string& text);

} // namespace tessaly
