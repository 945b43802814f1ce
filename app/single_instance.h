#pragma once
// One program per program directory. The first start takes the directory's lock and listens on a
// local socket named after the directory; a later start finds the lock taken, asks the first program
// through that socket to bring its window forward, handing it its activation token (on Wayland only
// the compositor can bring a window forward, when it is activated with such a token), and ends.

#include <QLocalServer>
#include <QString>
#include <filesystem>
#include <functional>

#include "settings/program_lock.h"

namespace voltrane {

class SingleInstance {
public:
    enum class Role {
        First,      // this program runs: it holds the directory (or the directory cannot be locked)
        Forwarded,  // another program holds it and was asked to come forward: end now
        NoAnswer,   // another program holds it but does not answer: tell the user and end
    };

    // `activationToken` gives this start's activation token, asked for only when another program holds
    // the directory; an empty token is none.
    explicit SingleInstance(const std::filesystem::path& programDir,
                            const std::function<QString()>& activationToken = {});

    Role role() const { return m_role; }

    // Why the first program could not listen for later starts, even after removing a stale socket of
    // its name: the socket and the system's reason. Empty when it listens (or is not the first).
    const QString& ListenFailure() const { return m_listenFailure; }

    // What the first program does when a later start asks it to come forward, with the start's
    // activation token (empty when it had none).
    void OnRequest(std::function<void(const QString& token)> bringForward) {
        m_bringForward = std::move(bringForward);
    }

    // The socket's name for `programDir`: one per user and canonical folder.
    static QString ServerName(const std::filesystem::path& programDir);

private:
    void listen(const QString& name);
    void answer();

    ProgramLock m_lock;
    QLocalServer m_server;
    Role m_role = Role::First;
    std::function<void(const QString& token)> m_bringForward;
    QString m_listenFailure;
};

}  // namespace voltrane
