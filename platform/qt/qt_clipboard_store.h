// The clipboard store of the desktop: the system clipboard through QClipboard.
//
// Text travels both ways as text (CF_UNICODETEXT as UTF-8, CF_TEXT as Latin-1); other formats travel
// as private MIME types. While the system clipboard still holds what this process put there, reads
// answer from the copy kept here, so data comes back byte for byte (terminating NULs included).
// Every change of the system clipboard, by this process or another one, advances the sequence
// number and calls the change listener.
#pragma once

#include <QObject>

#include <functional>
#include <map>

#include "platform/ui/clipboard.h"

class QMimeData;

namespace lattix::ui::qt {

class QtClipboardStore final : public QObject, public ClipboardStore {
public:
    QtClipboardStore();
    ~QtClipboardStore() override;

    void Clear() override;
    void Set(unsigned format, std::string data) override;
    std::optional<std::string> Get(unsigned format) const override;
    std::vector<unsigned> Formats() const override;
    std::uint32_t SequenceNumber() const override { return sequence_; }

    // Called after every change of the system clipboard.
    void OnChange(std::function<void()> listener) { listener_ = std::move(listener); }

    // The MIME type a non-text clipboard format travels as.
    static QString MimeTypeOf(unsigned format);

private:
    bool HoldsOwnData() const;
    void Publish();
    void SystemChanged();

    std::map<unsigned, std::string> own_;
    const QMimeData* published_ = nullptr;
    std::uint32_t sequence_ = 1;
    std::function<void()> listener_;
};

} // namespace lattix::ui::qt
