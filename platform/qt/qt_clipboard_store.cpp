#include "platform/qt/qt_clipboard_store.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace lattix::ui::qt {

namespace {

QClipboard* SystemClipboard() { return QGuiApplication::clipboard(); }

// Text up to its first NUL, as the receiving side of a text format reads it.
std::string UpToNul(const std::string& s) { return s.substr(0, s.find('\0')); }

} // namespace

QtClipboardStore::QtClipboardStore() {
    if (QClipboard* cb = SystemClipboard())
        connect(cb, &QClipboard::dataChanged, this, [this] { SystemChanged(); });
}

QtClipboardStore::~QtClipboardStore() = default;

QString QtClipboardStore::MimeTypeOf(unsigned format) {
    return QStringLiteral("application/x-lattix-clipboard-format-%1").arg(format);
}

bool QtClipboardStore::HoldsOwnData() const {
    QClipboard* cb = SystemClipboard();
    return cb != nullptr && published_ != nullptr && cb->mimeData() == published_;
}

void QtClipboardStore::SystemChanged() {
    if (!HoldsOwnData()) {
        own_.clear();
        published_ = nullptr;
    }
    ++sequence_;
    if (listener_) listener_();
}

void QtClipboardStore::Clear() {
    own_.clear();
    Publish();
}

void QtClipboardStore::Set(unsigned format, std::string data) {
    // What another program put there is replaced, as on a desktop where Empty preceded this.
    if (!HoldsOwnData()) own_.clear();
    own_[format] = std::move(data);
    Publish();
}

void QtClipboardStore::Publish() {
    QClipboard* cb = SystemClipboard();
    ++sequence_;
    if (cb == nullptr) return;
    auto* mime = new QMimeData;
    for (const auto& [format, data] : own_) {
        if (format == CF_UNICODETEXT)
            mime->setText(QString::fromUtf8(UpToNul(data)));
        else if (format == CF_TEXT && own_.count(CF_UNICODETEXT) == 0)
            mime->setText(QString::fromLatin1(UpToNul(data)));
        else if (format != CF_TEXT)
            mime->setData(MimeTypeOf(format), QByteArray(data.data(), static_cast<qsizetype>(data.size())));
    }
    // The clipboard takes the data; published_ only identifies it later, it is never dereferenced.
    published_ = mime;
    cb->setMimeData(mime);
}

std::optional<std::string> QtClipboardStore::Get(unsigned format) const {
    if (HoldsOwnData()) {
        auto it = own_.find(format);
        if (it == own_.end()) return std::nullopt;
        return it->second;
    }
    QClipboard* cb = SystemClipboard();
    const QMimeData* mime = cb != nullptr ? cb->mimeData() : nullptr;
    if (mime == nullptr) return std::nullopt;
    if (format == CF_UNICODETEXT) {
        if (!mime->hasText()) return std::nullopt;
        return mime->text().toStdString();
    }
    if (format == CF_TEXT) {
        if (!mime->hasText()) return std::nullopt;
        return Utf8ToLatin1(mime->text().toStdString());
    }
    QString type = MimeTypeOf(format);
    if (!mime->hasFormat(type)) return std::nullopt;
    QByteArray bytes = mime->data(type);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

std::vector<unsigned> QtClipboardStore::Formats() const {
    std::vector<unsigned> formats;
    if (HoldsOwnData()) {
        for (const auto& [format, data] : own_) formats.push_back(format);
        return formats;
    }
    QClipboard* cb = SystemClipboard();
    const QMimeData* mime = cb != nullptr ? cb->mimeData() : nullptr;
    if (mime == nullptr) return formats;
    if (mime->hasText()) formats.push_back(CF_UNICODETEXT);
    const QString prefix = QStringLiteral("application/x-lattix-clipboard-format-");
    for (const QString& type : mime->formats())
        if (type.startsWith(prefix)) {
            bool ok = false;
            unsigned f = type.mid(prefix.size()).toUInt(&ok);
            if (ok && f != CF_UNICODETEXT && f != CF_TEXT) formats.push_back(f);
        }
    return formats;
}

} // namespace lattix::ui::qt
