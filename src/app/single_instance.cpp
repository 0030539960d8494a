#include "app/single_instance.h"

#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

namespace photara {

SingleInstance::SingleInstance(const QString& lockPath)
    : lock_(lockPath.toStdString(), "photara") {}

SingleInstance::Outcome SingleInstance::acquire() {
    switch (lock_.acquire()) {
        case InstanceLock::Outcome::Acquired:
            return Outcome::Acquired;
        case InstanceLock::Outcome::AlreadyRunning:
            return Outcome::AlreadyRunning;
        case InstanceLock::Outcome::LockFileUnusable:
            break;
    }
    return Outcome::LockFileUnusable;
}

QString SingleInstance::defaultLockPath() {
    return QString::fromStdString(InstanceLock::defaultPath());
}

QString SingleInstance::refusalMessage(Outcome outcome) const {
    if (outcome == Outcome::LockFileUnusable)
        return QStringLiteral(
                   "Photara cannot create its lock file %1, which keeps a second Photara from "
                   "talking to the same meter. Check that the folder exists and that you may "
                   "write in it.")
            .arg(QString::fromStdString(lock_.path()));
    const QString holder = lock_.holder().empty()
                               ? QStringLiteral("another Photara program")
                               : QString::fromStdString(lock_.holder());
    return QStringLiteral(
               "Photara is already running (%1 holds the meter).\n"
               "Only one Photara can talk to the meter at a time: two would read each other's "
               "answers. Close the other Photara first.")
        .arg(holder);
}

namespace {
// Each handed-over file is one line, its absolute path in UTF-8; the answer is one line too.
constexpr char kTaken[] = "taken\n";
constexpr qint64 kLongestLine = 64 * 1024;
}  // namespace

FileHandoff::FileHandoff(const QString& lockPath) : socketPath_(lockPath + QStringLiteral(".files")) {}

FileHandoff::~FileHandoff() = default;

bool FileHandoff::listen(std::function<void(const QString& file)> open) {
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);  // this user's programs only
    // Only the lock's holder listens: a socket left here by a Photara that died is stale.
    QLocalServer::removeServer(socketPath_);
    if (!server_->listen(socketPath_)) {
        server_.reset();
        return false;
    }
    QLocalServer* server = server_.get();
    QObject::connect(server, &QLocalServer::newConnection, server, [server, open] {
        while (QLocalSocket* socket = server->nextPendingConnection()) {
            QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            QObject::connect(socket, &QLocalSocket::readyRead, socket, [socket, open] {
                while (socket->canReadLine()) {
                    const QString file =
                        QString::fromUtf8(socket->readLine(kLongestLine)).trimmed();
                    if (file.isEmpty()) continue;
                    socket->write(kTaken);
                    socket->flush();
                    open(file);
                }
                // A line longer than any path: not ours to read.
                if (socket->bytesAvailable() > kLongestLine) socket->abort();
            });
        }
    });
    return true;
}

bool FileHandoff::handOver(const QString& file, int timeoutMs) const {
    QLocalSocket socket;
    socket.connectToServer(socketPath_);
    if (!socket.waitForConnected(timeoutMs)) return false;
    socket.write(QFileInfo(file).absoluteFilePath().toUtf8() + '\n');
    if (!socket.waitForBytesWritten(timeoutMs)) return false;
    while (!socket.canReadLine())
        if (!socket.waitForReadyRead(timeoutMs)) return false;
    return socket.readLine(kLongestLine) == kTaken;
}

}  // namespace photara
