#pragma once

#include <QDesktopServices>
#include <QList>
#include <QObject>
#include <QUrl>

// Takes the desktop's "open this address" requests for a few schemes while it lives, so that
// tests run the real QDesktopServices path without starting a browser.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    explicit UrlRecorder(QStringList schemes) : m_schemes(std::move(schemes)) {
        for (const QString& scheme : m_schemes) {
            QDesktopServices::setUrlHandler(scheme, this, "open");
        }
    }
    ~UrlRecorder() override {
        for (const QString& scheme : m_schemes) {
            QDesktopServices::unsetUrlHandler(scheme);
        }
    }

    const QList<QUrl>& opened() const { return m_opened; }

public slots:
    void open(const QUrl& url) { m_opened << url; }

private:
    QStringList m_schemes;
    QList<QUrl> m_opened;
};
