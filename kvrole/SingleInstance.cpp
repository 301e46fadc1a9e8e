// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvrole/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QTimer>
#include <QtEndian>

#include <unistd.h>

namespace {

constexpr int kConnectMs = 1000;
// The running editor answers from its event loop, which a dialog it shows keeps turning.
constexpr int kAnswerMs = 5000;
// A start that connects and then says nothing is not waited for longer.
constexpr int kIdleConnectionMs = 10000;
constexpr char kTaken = 'k';
// Socket paths longer than this do not fit the platform's address structure.
constexpr int kMaxSocketPathBytes = 100;

QByteArray encodeFiles(const QStringList& files) {
    QStringList absolute;
    for (const QString& file : files) {
        absolute << QFileInfo(file).absoluteFilePath();
    }
    // File names cannot hold a NUL, so it parts them.
    const QByteArray body = absolute.join(QChar(0)).toUtf8();
    QByteArray message(4, '\0');
    qToBigEndian<quint32>(static_cast<quint32>(body.size()), message.data());
    return message + body;
}

} // namespace

SingleInstance::SingleInstance(QString serverName, QObject* parent)
    : QObject(parent), m_name(std::move(serverName)), m_server(new QLocalServer(this)) {
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::takeConnection);
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::nameFor(const QString& settingsFile) {
    const QByteArray settingsKey =
        QCryptographicHash::hash(QFileInfo(settingsFile).absoluteFilePath().toUtf8(), QCryptographicHash::Sha256)
            .toHex()
            .left(16);
    const QString name = QStringLiteral("kvrole-%1-%2").arg(::getuid()).arg(QString::fromLatin1(settingsKey));
    // As root in a service the runtime folder may be unset; the temporary folder stands in.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    for (const QString& folder : {runtime, QDir::tempPath()}) {
        const QString path = folder + QLatin1Char('/') + name;
        if (!folder.isEmpty() && QFileInfo(folder).isDir() && QFile::encodeName(path).size() <= kMaxSocketPathBytes) {
            return path;
        }
    }
    return name;
}

SingleInstance::Start SingleInstance::start(const QStringList& files) {
    // Two starts at once must not both find no editor and both serve.
    const QString lockName = m_name + QStringLiteral(".lock");
    QLockFile deciding(QFileInfo(lockName).isAbsolute() ? lockName : QDir::temp().filePath(lockName));
    deciding.tryLock(kAnswerMs);
    switch (handOver(files)) {
    case Reply::Taken:
        return Start::HandedOver;
    case Reply::NoAnswer:
        // An editor is there but does not answer: its socket stays, and this start runs apart.
        return Start::Alone;
    case Reply::NoEditor:
        break;
    }
    return serve() ? Start::Serving : Start::Alone;
}

SingleInstance::Reply SingleInstance::handOver(const QStringList& files) {
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(kConnectMs)) {
        return Reply::NoEditor;
    }
    socket.write(encodeFiles(files));
    socket.flush();
    while (socket.bytesAvailable() < 1 && socket.state() == QLocalSocket::ConnectedState &&
           socket.waitForReadyRead(kAnswerMs)) {
    }
    return socket.bytesAvailable() >= 1 && socket.read(1).at(0) == kTaken ? Reply::Taken : Reply::NoAnswer;
}

bool SingleInstance::serve() {
    // No editor answered, so a socket file there is a crashed run's leftover.
    QLocalServer::removeServer(m_name);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    return m_server->listen(m_name);
}

void SingleInstance::takeConnection() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readHandOver(socket); });
        QTimer::singleShot(kIdleConnectionMs, socket, [socket] { socket->abort(); });
        readHandOver(socket);
    }
}

void SingleInstance::readHandOver(QLocalSocket* socket) {
    if (socket->bytesAvailable() < 4) {
        return;
    }
    const QByteArray head = socket->peek(4);
    const quint32 length = qFromBigEndian<quint32>(head.constData());
    if (length > kMaxMessageBytes) {
        socket->abort();
        return;
    }
    if (socket->bytesAvailable() < 4 + static_cast<qint64>(length)) {
        return;
    }
    socket->read(4);
    const QByteArray body = socket->read(length);
    QStringList files;
    if (!body.isEmpty()) {
        files = QString::fromUtf8(body).split(QChar(0));
    }
    socket->write(QByteArray(1, kTaken));
    socket->flush();
    socket->disconnectFromServer();
    emit filesHandedOver(files);
}
