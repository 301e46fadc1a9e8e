// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;
class QLocalSocket;

// The role editor runs once per user and settings folder: a later start hands its files to the
// running one and ends. The two meet on a local socket that only the user may connect to.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    enum class Start {
        HandedOver, // a running editor took the files: this start ends
        Serving,    // this start is the running editor and takes later starts' files
        Alone,      // neither could be arranged: this start runs on its own
    };

    // `serverName` is a socket path; see nameFor().
    explicit SingleInstance(QString serverName, QObject* parent = nullptr);
    ~SingleInstance() override;

    // The socket for this user and this settings file, in the user's runtime folder (the
    // temporary folder when there is none). Starts sharing settings share it; tests and a
    // developer's own editor, whose settings differ, never meet.
    static QString nameFor(const QString& settingsFile);

    // Hands `files` (made absolute here, since the running editor has its own working folder) to
    // the running editor, or becomes it. A socket left by a run that crashed is removed, not obeyed.
    Start start(const QStringList& files);

    QString serverName() const { return m_name; }

    // The largest hand-over taken; longer ones are dropped unread.
    static constexpr quint32 kMaxMessageBytes = 1 << 20;

signals:
    // Files another start handed over; empty when it named none.
    void filesHandedOver(const QStringList& files);

private:
    enum class Reply { NoEditor, Taken, NoAnswer };
    Reply handOver(const QStringList& files);
    bool serve();
    void takeConnection();
    void readHandOver(QLocalSocket* socket);

    QString m_name;
    QLocalServer* m_server;
};
