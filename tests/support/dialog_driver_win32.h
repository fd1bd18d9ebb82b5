#pragma once

// Drives modal dialogs from inside their own message loop, as a user would:
// thread timers fire in whatever modal loop runs, so a script started by one
// can type into boxes, click buttons and read the controls' state with the
// same messages the system sends.

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

namespace tessaly::test {

// Calls `attempt` every few milliseconds in the thread's message loop until
// it returns true, then stops.
class ThreadTimerAction {
public:
    ThreadTimerAction(UINT interval, std::function<bool()> attempt)
        : m_interval(interval)
        , m_attempt(std::move(attempt))
    {
        arm();
    }
    ThreadTimerAction(const ThreadTimerAction&) = delete;
    ThreadTimerAction& operator=(const ThreadTimerAction&) = delete;
    ~ThreadTimerAction() { stop(); }

    void stop()
    {
        if (!m_id)
            return;
        KillTimer(nullptr, m_id);
        actions().erase(m_id);
        m_id = 0;
    }

private:
    void arm()
    {
        m_id = SetTimer(nullptr, 0, m_interval, &ThreadTimerAction::tick);
        actions()[m_id] = this;
    }
    static std::map<UINT_PTR, ThreadTimerAction*>& actions()
    {
        static std::map<UINT_PTR, ThreadTimerAction*> all;
        return all;
    }
    static void CALLBACK tick(HWND, UINT, UINT_PTR id, DWORD)
    {
        const auto found = actions().find(id);
        if (found == actions().end())
            return;
        ThreadTimerAction* action = found->second;
        // Stopped before the attempt, whose work may run nested message
        // loops in which this timer must not fire again.
        action->stop();
        if (!action->m_attempt())
            action->arm();
    }

    UINT m_interval;
    UINT_PTR m_id = 0;
    std::function<bool()> m_attempt;
};

inline std::wstring windowText(HWND window)
{
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

// For messages about UTF-16 text.
inline std::string utf8(const std::wstring& text)
{
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
}

inline std::wstring className(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

// A visible dialog box of this thread with the title, or (with an owner)
// the one owned by that window.
inline HWND findDialog(const std::wstring& title, HWND owner = nullptr)
{
    struct Search {
        const std::wstring* title;
        HWND owner;
        HWND found;
    } search{&title, owner, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            const bool fits = s->owner ? GetWindow(window, GW_OWNER) == s->owner : windowText(window) == *s->title;
            if (className(window) == L"#32770" && fits && IsWindowVisible(window)) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Runs a script on the next dialog with this title, once its modal loop
// runs. A script that leaves the dialog open (a failed check on the way) is
// ended by a watchdog that closes it and records that it had to.
class DialogDriver {
public:
    using Script = std::function<void(HWND dialog)>;

    DialogDriver(std::wstring title, Script script)
        : m_title(std::move(title))
        , m_script(std::move(script))
        , m_finder(5, [this] { return runWhenShown(); })
    {
    }

    bool scriptRan() const { return m_ran; }
    bool hadToCloseTheDialog() const { return m_closedByWatchdog; }

private:
    bool runWhenShown()
    {
        const HWND dialog = findDialog(m_title);
        if (!dialog)
            return false;
        m_ran = true;
        m_script(dialog);
        m_watchdog = std::make_unique<ThreadTimerAction>(5000, [this, dialog] {
            if (IsWindow(dialog)) {
                m_closedByWatchdog = true;
                PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
            }
            return true;
        });
        return true;
    }

    std::wstring m_title;
    Script m_script;
    bool m_ran = false;
    bool m_closedByWatchdog = false;
    std::unique_ptr<ThreadTimerAction> m_watchdog;
    ThreadTimerAction m_finder;
};

// Types into a box as the keyboard would: everything selected, then one
// character message per character; an empty text deletes the old one.
inline void typeInto(HWND dialog, int id, const std::wstring& text)
{
    const HWND box = GetDlgItem(dialog, id);
    SendMessageW(box, EM_SETSEL, 0, -1);
    if (text.empty())
        SendMessageW(box, WM_CHAR, VK_BACK, 0);
    for (const wchar_t c : text)
        SendMessageW(box, WM_CHAR, c, 0);
}

inline void click(HWND dialog, int id)
{
    SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

inline bool checked(HWND dialog, int id)
{
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

inline bool enabled(HWND dialog, int id)
{
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

inline std::wstring itemText(HWND dialog, int id)
{
    return windowText(GetDlgItem(dialog, id));
}

struct MessageBoxSeen {
    std::wstring title;
    std::wstring text;
};

// Clicks OK expecting the dialog to refuse the value with a message box
// owned by it, which is closed again: what it said, or nothing when no
// message box came.
inline MessageBoxSeen clickOkExpectingRefusal(HWND dialog)
{
    MessageBoxSeen seen;
    ThreadTimerAction watcher(5, [&] {
        const HWND box = findDialog(L"", dialog);
        if (!box)
            return false;
        seen.title = windowText(box);
        EnumChildWindows(
            box,
            [](HWND child, LPARAM data) -> BOOL {
                if (className(child) == L"Static")
                    *reinterpret_cast<std::wstring*>(data) += windowText(child);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&seen.text));
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        return true;
    });
    click(dialog, IDOK);
    return seen;
}

} // namespace tessaly::test
