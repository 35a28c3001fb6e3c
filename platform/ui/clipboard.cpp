#include "platform/ui/clipboard.h"

#include <stdexcept>

namespace lattix::ui {

void MemoryClipboardStore::Clear() {
    data_.clear();
    ++sequence_;
}

void MemoryClipboardStore::Set(unsigned format, std::string data) {
    data_[format] = std::move(data);
    ++sequence_;
}

std::optional<std::string> MemoryClipboardStore::Get(unsigned format) const {
    auto it = data_.find(format);
    if (it == data_.end()) return std::nullopt;
    return it->second;
}

std::vector<unsigned> MemoryClipboardStore::Formats() const {
    std::vector<unsigned> formats;
    for (const auto& [format, data] : data_) formats.push_back(format);
    return formats;
}

std::string Utf8ToLatin1(const std::string& utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        auto c = static_cast<unsigned char>(utf8[i]);
        std::uint32_t cp = 0;
        std::size_t len = 1;
        if (c < 0x80) {
            cp = c;
        } else if ((c & 0xE0) == 0xC0) {
            cp = c & 0x1F, len = 2;
        } else if ((c & 0xF0) == 0xE0) {
            cp = c & 0x0F, len = 3;
        } else if ((c & 0xF8) == 0xF0) {
            cp = c & 0x07, len = 4;
        } else {
            out += '?';
            ++i;
            continue;
        }
        bool valid = i + len <= utf8.size();
        for (std::size_t k = 1; valid && k < len; ++k) {
            auto cc = static_cast<unsigned char>(utf8[i + k]);
            if ((cc & 0xC0) != 0x80) valid = false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        if (!valid) {
            out += '?';
            ++i;
            continue;
        }
        out += cp <= 0xFF ? static_cast<char>(cp) : '?';
        i += len;
    }
    return out;
}

std::string Latin1ToUtf8(const std::string& latin1) {
    std::string out;
    out.reserve(latin1.size());
    for (char ch : latin1) {
        auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

void Clipboard::AttachStore(ClipboardStore* store) {
    store_ = store;
    ResetOpenState();
}

ClipboardStore& Clipboard::Store() const {
    if (store_ == nullptr) throw std::logic_error("no clipboard store attached");
    return *store_;
}

bool Clipboard::Open(Hwnd owner) {
    if (store_ == nullptr || store_->HeldElsewhere()) return false;
    if (open_ && openOwner_ != owner) return false;
    open_ = true;
    openOwner_ = owner;
    return true;
}

bool Clipboard::Close() {
    if (!open_) return false;
    open_ = false;
    openOwner_ = 0;
    return true;
}

bool Clipboard::Empty() {
    if (!open_) return false;
    Store().Clear();
    owner_ = openOwner_;
    return true;
}

bool Clipboard::SetData(unsigned format, std::string data) {
    if (!open_ || format == 0) return false;
    Store().Set(format, std::move(data));
    return true;
}

std::optional<std::string> Clipboard::GetData(unsigned format) const {
    if (!open_) return std::nullopt;
    if (auto direct = Store().Get(format)) return direct;
    if (format == CF_TEXT) {
        if (auto wide = Store().Get(CF_UNICODETEXT)) return Utf8ToLatin1(*wide);
    } else if (format == CF_UNICODETEXT) {
        if (auto narrow = Store().Get(CF_TEXT)) return Latin1ToUtf8(*narrow);
    }
    return std::nullopt;
}

bool Clipboard::IsFormatAvailable(unsigned format) const {
    if (store_ == nullptr) return false;
    if (store_->Get(format)) return true;
    if (format == CF_TEXT) return store_->Get(CF_UNICODETEXT).has_value();
    if (format == CF_UNICODETEXT) return store_->Get(CF_TEXT).has_value();
    return false;
}

std::uint32_t Clipboard::SequenceNumber() const { return store_ == nullptr ? 0 : store_->SequenceNumber(); }

bool Clipboard::SetText(Hwnd owner, const std::string& utf8) {
    if (!Open(owner)) return false;
    Empty();
    SetData(CF_UNICODETEXT, utf8);
    Close();
    return true;
}

std::optional<std::string> Clipboard::GetText(Hwnd owner) {
    if (!Open(owner)) return std::nullopt;
    std::optional<std::string> text = GetData(CF_UNICODETEXT);
    Close();
    if (text) {
        std::size_t nul = text->find('\0');
        if (nul != std::string::npos) text->resize(nul);
    }
    return text;
}

void Clipboard::ResetOpenState() {
    open_ = false;
    openOwner_ = 0;
    owner_ = 0;
}

void Clipboard::ForgetOwner(Hwnd hwnd) {
    if (owner_ == hwnd) owner_ = 0;
    if (open_ && openOwner_ == hwnd) Close();
}

} // namespace lattix::ui
