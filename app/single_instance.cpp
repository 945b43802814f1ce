#include "app/single_instance.h"

#include <unistd.h>

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QLocalSocket>
#include <QThread>
#include <cstdio>

namespace voltrane {

namespace {

// A request is the line "forward", or "forward TOKEN" with the start's activation token.
constexpr char kRequest[] = "forward";
constexpr char kAnswer[] = "ok\n";
// A first program still starting (its start-up read waits for the mouse) listens within this time.
constexpr int kAskForMs = 5000;
constexpr int kRetryMs = 100;

// Asks the program listening on `name` to come forward with `token`; true when it answered.
bool askForward(const QString& name, const QString& token) {
    const QByteArray request =
        (token.isEmpty() ? QByteArray(kRequest) : kRequest + (' ' + token.toUtf8())) + '\n';
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < kAskForMs) {
        QLocalSocket socket;
        socket.connectToServer(name);
        if (socket.waitForConnected(kRetryMs)) {
            socket.write(request);
            const int left = kAskForMs - static_cast<int>(clock.elapsed());
            return socket.waitForBytesWritten(left) && socket.waitForReadyRead(left) &&
                   socket.readLine().startsWith("ok");
        }
        QThread::msleep(kRetryMs);
    }
    return false;
}

}  // namespace

SingleInstance::SingleInstance(const std::filesystem::path& programDir,
                               const std::function<QString()>& activationToken)
    : m_lock(programDir) {
    const QString name = ServerName(programDir);
    if (m_lock.state() == ProgramLock::State::HeldElsewhere) {
        m_role = askForward(name, activationToken ? activationToken() : QString()) ? Role::Forwarded
                                                                                 : Role::NoAnswer;
        return;
    }
    listen(name);
}

QString SingleInstance::ServerName(const std::filesystem::path& programDir) {
    std::error_code error;
    const std::filesystem::path canonical = std::filesystem::weakly_canonical(programDir, error);
    const QByteArray folder = QByteArray::fromStdString((error ? programDir : canonical).string());
    const QByteArray hash = QCryptographicHash::hash(folder, QCryptographicHash::Sha256).toHex().left(24);
    return QStringLiteral("voltrane-%1-%2").arg(::getuid()).arg(QString::fromLatin1(hash));
}

void SingleInstance::listen(const QString& name) {
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    // Holding the lock, a socket already of that name (which holds our user id) is a dead program's.
    if (!m_server.listen(name) && QLocalServer::removeServer(name) && m_server.listen(name)) {
        std::fprintf(stderr, "voltrane: removed the stale socket %s of a program that ended\n",
                     qUtf8Printable(m_server.fullServerName()));
    }
    if (!m_server.isListening()) {
        m_listenFailure = QStringLiteral("%1: %2").arg(name, m_server.errorString());
        return;
    }
    QObject::connect(&m_server, &QLocalServer::newConnection, &m_server, [this] { answer(); });
}

void SingleInstance::answer() {
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        QObject::connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
            if (!socket->canReadLine()) return;
            const QList<QByteArray> words = socket->readLine().trimmed().split(' ');
            if (words.size() > 2 || words.front() != kRequest) return;
            if (m_bringForward) m_bringForward(words.size() == 2 ? QString::fromUtf8(words.back()) : QString());
            socket->write(kAnswer);
            socket->disconnectFromServer();
        });
    }
}

}  // namespace voltrane
