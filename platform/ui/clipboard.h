// The clipboard: formats, open/close discipline and the sequence number.
//
// Text travels in two formats: CF_UNICODETEXT holds UTF-8 text in this system, CF_TEXT holds 8-bit
// (Latin-1) text. Either one, once placed, can be read in the other format as well. Data is kept as
// given, including any terminating NUL bytes the writer put there.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/types.h"

namespace lattix::ui {

inline constexpr unsigned CF_TEXT = 1;
inline constexpr unsigned CF_UNICODETEXT = 13;

// Where the clipboard contents live: in memory for the headless host, the system clipboard for a
// desktop backend. Every Clear and Set advances the sequence number.
class ClipboardStore {
public:
    virtual ~ClipboardStore() = default;
    virtual void Clear() = 0;
    virtual void Set(unsigned format, std::string data) = 0;
    virtual std::optional<std::string> Get(unsigned format) const = 0;
    virtual std::vector<unsigned> Formats() const = 0;
    virtual std::uint32_t SequenceNumber() const = 0;
    // True while another program holds the clipboard open, so that opening it fails.
    virtual bool HeldElsewhere() const { return false; }
};

class MemoryClipboardStore : public ClipboardStore {
public:
    void Clear() override;
    void Set(unsigned format, std::string data) override;
    std::optional<std::string> Get(unsigned format) const override;
    std::vector<unsigned> Formats() const override;
    std::uint32_t SequenceNumber() const override { return sequence_; }
    bool HeldElsewhere() const override { return heldElsewhere_; }
    void SetHeldElsewhere(bool held) { heldElsewhere_ = held; }

private:
    std::map<unsigned, std::string> data_;
    std::uint32_t sequence_ = 1;
    bool heldElsewhere_ = false;
};

// Converts between the two text formats. Code points above U+00FF become '?' in 8-bit text.
std::string Utf8ToLatin1(const std::string& utf8);
std::string Latin1ToUtf8(const std::string& latin1);

// The clipboard as the window layer presents it. Reading and writing require the clipboard to be
// open (Open ... Close); the convenience members SetText and GetText open and close it themselves.
class Clipboard {
public:
    explicit Clipboard(ClipboardStore* store = nullptr) : store_(store) {}
    void AttachStore(ClipboardStore* store);

    // Opens the clipboard for owner (0 = the task itself). Fails while it is open for another
    // owner or held by another program.
    bool Open(Hwnd owner);
    bool Close();
    bool IsOpen() const { return open_; }
    Hwnd OpenOwner() const { return openOwner_; }
    // Empties the clipboard; the opener becomes its owner.
    bool Empty();
    bool SetData(unsigned format, std::string data);
    std::optional<std::string> GetData(unsigned format) const;
    bool IsFormatAvailable(unsigned format) const;
    std::uint32_t SequenceNumber() const;
    Hwnd Owner() const { return owner_; }

    // Replaces the contents with one UTF-8 text (stored in CF_UNICODETEXT). False when the
    // clipboard cannot be opened.
    bool SetText(Hwnd owner, const std::string& utf8);
    // The text on the clipboard as UTF-8, up to its first NUL; nullopt when it cannot be opened
    // or holds no text.
    std::optional<std::string> GetText(Hwnd owner);

    // Forgets the open state and ownership (when windows go away).
    void ResetOpenState();
    void ForgetOwner(Hwnd hwnd);

private:
    ClipboardStore& Store() const;

    ClipboardStore* store_;
    bool open_ = false;
    Hwnd openOwner_ = 0;
    Hwnd owner_ = 0;
};

} // namespace lattix::ui
