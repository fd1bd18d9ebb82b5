#include "cli/cli_program.h"

#include <iostream>
#include <vector>

#include "cli/icon_set_maker.h"
#include "convert/image_converter.h"
#include "formats/built_in_icon_file_formats.h"
#include "formats/pam_encoder.h"
#include "formats/png_reader.h"
#include "image/file_bytes.h"

namespace tessaly {

namespace {

constexpr const char* kHelp = "Usage: tessaly-cli COMMAND ARGUMENTS\n"
                              "\n"
                              "Reads icon files as the Tessaly editor opens them (by the file name's\n"
                              "extension: .ico, and each kind of picture or program the editor imports)\n"
                              "and writes .ico and PAM files.\n"
                              "\n"
                              "Commands:\n"
                              "  tessaly-cli info FILE\n"
                              "      Prints one line per image of FILE: INDEX: WIDTHxHEIGHT BITS-bit\n"
                              "      (for example \"0: 32x32 4-bit\").\n"
                              "  tessaly-cli export FILE INDEX OUT.pam\n"
                              "      Writes image INDEX of FILE (counted from 0) as a PAM file: P7,\n"
                              "      TUPLTYPE RGB_ALPHA, 8 bits per sample. Palette images are written\n"
                              "      through their palette. The alpha is the stored alpha of 32-bit\n"
                              "      images; for all others it is 0 where the mask makes a pixel\n"
                              "      transparent and 255 elsewhere.\n"
                              "  tessaly-cli convert IN OUT.ico [OPTIONS]\n"
                              "      Writes every image of IN into OUT.ico, or only image N with\n"
                              "      --index N. With any of the options below each image is converted\n"
                              "      as the editor's duplication dialog converts it; without them the\n"
                              "      images are copied unchanged. An existing OUT.ico is replaced only\n"
                              "      once the new file is complete.\n"
                              "        --size WxH      the new size, each side from 1 to 1024\n"
                              "                        (default: each image's own size)\n"
                              "        --mode MODE     mono, 16, 256, full (24-bit) or alpha (32-bit\n"
                              "                        with transparency) (default: each image's own)\n"
                              "        --palette KIND  none: an adaptive 256-colour or the standard\n"
                              "                        2- and 16-colour palettes (default); keep:\n"
                              "                        resize only, keeping each image's colour mode\n"
                              "                        and palette (no --mode); websafe or grey: the\n"
                              "                        web-safe colours or 256 greys (256 colours)\n"
                              "        --index N       only image N of IN (counted from 0)\n"
                              "        --png POLICY    which images are stored PNG-compressed: keep\n"
                              "                        (default): those read from PNG entries (as they\n"
                              "                        were, when unchanged); never; large: those of 256\n"
                              "                        pixels and more; all\n"
                              "  tessaly-cli make PICTURE OUT.ico [OPTIONS]\n"
                              "      Makes a 32-bit icon from one picture (PNG of any kind, with its\n"
                              "      alpha; BMP; JPEG in the Windows build): one square image per size,\n"
                              "      the picture scaled to fit, keeping its proportions, by an area\n"
                              "      average weighted by alpha. Nothing is written when anything fails.\n"
                              "        --sizes LIST    sides from 1 to 256, separated by commas\n"
                              "                        (default: 16,24,32,48,64,128,256)\n"
                              "        --png POLICY    as for convert (default: large; keep and never\n"
                              "                        both store every made image as a bitmap)\n"
                              "      PNG entries hold 8-bit RGBA: an image below 32 bits stored as PNG\n"
                              "      reads back as a 32-bit image.\n"
                              "  tessaly-cli --help\n"
                              "      Shows this text.\n"
                              "\n"
                              "Exit status: 0 on success; 1 when anything failed, with a message on\n"
                              "standard error.\n";

constexpr const char* kProgram = "tessaly-cli: ";

std::optional<IconImage> convertAsAsked(const IconImage& image, const CliArguments& args)
{
    const CliArguments::Size size = args.size().value_or(CliArguments::Size{image.width(), image.height()});
    const std::int32_t bitCount = args.mode() ? bitCountOf(*args.mode()) : image.bitCount();
    // A converter serves one request: its colour cache must not outlive the image.
    return ImageConverter().convertImage(image, size.width, size.height, bitCount,
                                         args.palette().value_or(ConversionType::None));
}

// Sets each image's storage as the --png policy asks; Keep leaves what the
// images were read with.
void applyPngPolicy(IconCollection& collection, PngPolicy policy)
{
    for (std::int32_t i = 0; i < collection.count(); ++i) {
        IconImage& image = *collection.get(i);
        switch (policy) {
        case PngPolicy::Keep:
            break;
        case PngPolicy::Never:
            image.setStorage(ImageStorage::Bitmap);
            break;
        case PngPolicy::Large:
            image.setStorage(image.width() >= 256 || image.height() >= 256 ? ImageStorage::Png : ImageStorage::Bitmap);
            break;
        case PngPolicy::All:
            image.setStorage(ImageStorage::Png);
            break;
        }
    }
}

bool writesIco(const std::string& output)
{
    return IconCollection::extensionOf(pathFromUtf8(output)) == ".ico";
}

} // namespace

std::filesystem::path pathFromUtf8(const std::string& text)
{
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

int runCliProcess(std::span<const std::string> args)
{
    return runCliProcess(args, builtInIconFileFormats());
}

int runCliProcess(std::span<const std::string> args, const IconFileFormats& formats)
{
    const int status = CliProgram(formats).run(args, std::cout, std::cerr);
    std::cout.flush();
    return std::cout.fail() ? CliProgram::kFailure : status;
}

int CliProgram::run(std::span<const std::string> args, std::ostream& out, std::ostream& err) const
{
    std::string error;
    const std::optional<CliArguments> parsed = CliArguments::parse(args, error);
    if (!parsed) {
        err << kProgram << error << "\nTry 'tessaly-cli --help'.\n";
        return kFailure;
    }
    switch (parsed->command()) {
    case CliCommand::Help:
        out << kHelp;
        return kSuccess;
    case CliCommand::Info:
        return info(*parsed, out, err);
    case CliCommand::Export:
        return exportImage(*parsed, err);
    case CliCommand::Convert:
        return convert(*parsed, err);
    case CliCommand::Make:
        return make(*parsed, err);
    }
    return kFailure;
}

bool CliProgram::open(IconCollection& collection, const std::string& path, std::ostream& err) const
{
    if (collection.open(pathFromUtf8(path)))
        return true;
    err << kProgram << "cannot read " << path << '\n';
    return false;
}

int CliProgram::info(const CliArguments& args, std::ostream& out, std::ostream& err) const
{
    IconCollection collection(m_formats);
    if (!open(collection, args.input(), err))
        return kFailure;
    for (std::int32_t i = 0; i < collection.count(); ++i) {
        const IconImage& image = *collection.get(i);
        out << i << ": " << image.width() << 'x' << image.height() << ' ' << image.bitCount() << "-bit\n";
    }
    return kSuccess;
}

int CliProgram::exportImage(const CliArguments& args, std::ostream& err) const
{
    IconCollection collection(m_formats);
    if (!open(collection, args.input(), err))
        return kFailure;
    const IconImage* image = selectImage(collection, args, err);
    if (!image)
        return kFailure;
    if (!writeFileReplacing(pathFromUtf8(args.output()), PamEncoder::encode(*image))) {
        err << kProgram << "cannot write " << args.output() << '\n';
        return kFailure;
    }
    return kSuccess;
}

int CliProgram::convert(const CliArguments& args, std::ostream& err) const
{
    if (!writesIco(args.output())) {
        err << kProgram << "cannot write " << args.output() << " (convert writes .ico files only)\n";
        return kFailure;
    }
    IconCollection collection(m_formats);
    if (!open(collection, args.input(), err))
        return kFailure;
    if (collection.count() == 0) {
        err << kProgram << args.input() << " holds no image to write\n";
        return kFailure;
    }
    IconCollection converted(m_formats);
    const bool whole = args.indexText().empty() && !args.convertsImages();
    if (!whole && !convertImages(args, collection, converted, err))
        return kFailure;
    return save(whole ? collection : converted, args, err) ? kSuccess : kFailure;
}

bool CliProgram::save(IconCollection& collection, const CliArguments& args, std::ostream& err) const
{
    applyPngPolicy(collection, args.pngPolicy());
    if (collection.save(pathFromUtf8(args.output())))
        return true;
    err << kProgram << "cannot write " << args.output() << '\n';
    return false;
}

int CliProgram::make(const CliArguments& args, std::ostream& err) const
{
    if (!writesIco(args.output())) {
        err << kProgram << "cannot write " << args.output() << " (make writes .ico files only)\n";
        return kFailure;
    }
    const std::optional<IconImage> picture = readPicture(args.input(), err);
    if (!picture)
        return kFailure;
    IconCollection icon(m_formats);
    for (const std::int32_t side : args.sizes()) {
        const std::optional<IconImage> image = IconSetMaker::makeImage(*picture, side);
        if (!image || !icon.addCopy(*image)) {
            err << kProgram << "cannot make the " << side << 'x' << side << " image of " << args.input()
                << " (out of memory)\n";
            return kFailure;
        }
    }
    return save(icon, args, err) ? kSuccess : kFailure;
}

std::optional<IconImage> CliProgram::readPicture(const std::string& path, std::ostream& err) const
{
    const std::optional<std::string> extension = IconCollection::extensionOf(pathFromUtf8(path));
    const std::optional<IconFileKind> kind = IconCollection::kindOfExtension(extension.value_or(""));
    if (kind != IconFileKind::Png && kind != IconFileKind::Bitmap && kind != IconFileKind::Picture) {
        err << kProgram << "cannot read " << path << " (make takes .png, .bmp, .jpg and .jpeg pictures)\n";
        return std::nullopt;
    }
    if (!m_formats.canRead(*kind)) {
        err << kProgram << "cannot read " << path
            << " (JPEG pictures are read through the Windows picture loader: use tessaly-cli.exe)\n";
        return std::nullopt;
    }
    IconImage picture;
    if (kind == IconFileKind::Png) {
        // Every kind of PNG with its alpha, as PNG entries of icons are read.
        const std::optional<std::vector<std::uint8_t>> bytes = readFileBytes(pathFromUtf8(path));
        if (bytes && PngReader().decodeToIconImage(*bytes, picture))
            return picture;
    } else {
        IconImageList images;
        if (m_formats.read(*kind, pathFromUtf8(path), images) && images.size() == 1) {
            picture = std::move(*images.front());
            return picture;
        }
    }
    err << kProgram << "cannot read " << path << '\n';
    return std::nullopt;
}

const IconImage* CliProgram::selectImage(const IconCollection& collection, const CliArguments& args,
                                         std::ostream& err) const
{
    const IconImage* image = args.index() ? collection.get(*args.index()) : nullptr;
    if (!image) {
        err << kProgram << "no image " << args.indexText() << " in " << args.input();
        if (collection.count() == 0)
            err << " (it holds no images)\n";
        else
            err << " (its images are numbered 0 to " << collection.count() - 1 << ")\n";
    }
    return image;
}

bool CliProgram::convertImages(const CliArguments& args, const IconCollection& source, IconCollection& result,
                               std::ostream& err) const
{
    std::int32_t first = 0;
    std::int32_t end = source.count();
    if (!args.indexText().empty()) {
        if (!selectImage(source, args, err))
            return false;
        first = *args.index();
        end = first + 1;
    }
    for (std::int32_t i = first; i < end; ++i) {
        const IconImage& image = *source.get(i);
        bool added = false;
        if (!args.convertsImages())
            added = result.addCopy(image);
        else if (const std::optional<IconImage> converted = convertAsAsked(image, args))
            added = result.addCopy(*converted);
        if (!added) {
            err << kProgram << "cannot convert image " << i << " of " << args.input() << '\n';
            return false;
        }
    }
    return true;
}

} // namespace tessaly
