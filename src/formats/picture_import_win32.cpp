#include "formats/picture_import_win32.h"

#include <windows.h>

#include <ole2.h>
#include <olectl.h>

#include <cstring>

#include "convert/dib_section_win32.h"
#include "formats/from_dib_section_win32.h"
#include "image/file_bytes.h"

namespace tessaly {

namespace {

// Owns one reference to a COM object.
template <typename T> class ComRef {
public:
    ComRef() = default;
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ~ComRef()
    {
        if (m_object)
            m_object->Release();
    }
    T** out() { return &m_object; }
    T* operator->() const { return m_object; }
    T* get() const { return m_object; }

private:
    T* m_object = nullptr;
};

// The picture loader needs COM on this thread; a thread that already has it
// in another mode keeps it.
class ComScope {
public:
    ComScope()
        : m_initialised(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
    {
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    ~ComScope()
    {
        if (m_initialised)
            CoUninitialize();
    }

private:
    bool m_initialised;
};

// A stream over a movable memory block holding the file, the block owned by the stream.
bool openStream(const std::vector<std::uint8_t>& bytes, ComRef<IStream>& stream)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!block)
        return false;
    void* at = GlobalLock(block);
    if (!at) {
        GlobalFree(block);
        return false;
    }
    std::memcpy(at, bytes.data(), bytes.size());
    GlobalUnlock(block);
    if (FAILED(CreateStreamOnHGlobal(block, TRUE, stream.out()))) {
        GlobalFree(block);
        return false;
    }
    return true;
}

// Copies the picture's bitmap into a 24-bit section of its size, keeping its orientation.
bool copyBitmap(HBITMAP bitmap, DibSection& section)
{
    BITMAP description{};
    if (GetObjectW(bitmap, sizeof description, &description) != sizeof description)
        return false;
    if (!section.create24(description.bmWidth, std::abs(description.bmHeight)))
        return false;
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc)
        return false;
    const HGDIOBJ previous = SelectObject(dc, bitmap);
    const bool copied =
        previous && section.captureFrom(dc, RECT{0, 0, description.bmWidth, std::abs(description.bmHeight)}, SRCCOPY);
    if (previous)
        SelectObject(dc, previous);
    DeleteDC(dc);
    return copied;
}

} // namespace

bool PictureImport::readFile(const std::filesystem::path& path, IconImageList& images)
{
    images.clear();
    const std::optional<std::vector<std::uint8_t>> bytes = readFileBytes(path);
    if (!bytes || bytes->empty() || bytes->size() > MAXLONG)
        return false;
    ComScope com;
    ComRef<IStream> stream;
    if (!openStream(*bytes, stream))
        return false;
    ComRef<IPicture> picture;
    if (FAILED(OleLoadPicture(stream.get(), static_cast<LONG>(bytes->size()), TRUE, IID_IPicture,
                              reinterpret_cast<void**>(picture.out()))))
        return false;
    SHORT type = PICTYPE_NONE;
    OLE_HANDLE handle = 0;
    if (FAILED(picture->get_Type(&type)) || type != PICTYPE_BITMAP || FAILED(picture->get_Handle(&handle)))
        return false;
    DibSection section;
    if (!copyBitmap(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)), section))
        return false;
    std::unique_ptr<IconImage> image = fromDibSection(section);
    if (!image)
        return false;
    images.push_back(std::move(image));
    return true;
}

} // namespace tessaly
