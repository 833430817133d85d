#include "platform/linux/DriveHelper.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

extern char** environ;

namespace wakelatch::platform::linux_helper {

struct DriveHelper::Connection {
    int socket = -1;
    pid_t pid = 0;
    std::thread reader;
    std::mutex mutex;
    std::mutex writing;  // one frame at a time
    std::map<std::uint32_t, Done> pending;
    bool ended = false;
};

DriveHelper::DriveHelper(std::string program) : program_(std::move(program)) {}

DriveHelper::~DriveHelper() {
    std::shared_ptr<Connection> connection;
    {
        const std::lock_guard lock(mutex_);
        connection = std::move(connection_);
    }
    if (connection) {
        Close(*connection);
    }
}

void DriveHelper::Close(Connection& connection) {
    // Shutting the socket down ends the reader's read at once; the helper is killed and reaped by a
    // thread of its own, which the program never waits for.
    shutdown(connection.socket, SHUT_RDWR);
    if (connection.reader.joinable()) {
        connection.reader.join();
    }
    close(connection.socket);
    kill(connection.pid, SIGKILL);
    std::thread([pid = connection.pid] { waitpid(pid, nullptr, 0); }).detach();
}

pid_t DriveHelper::Pid() const {
    const std::lock_guard lock(mutex_);
    if (!connection_) {
        return 0;
    }
    const std::lock_guard connectionLock(connection_->mutex);
    return connection_->ended ? 0 : connection_->pid;
}

std::shared_ptr<DriveHelper::Connection> DriveHelper::ConnectionLocked() {
    if (connection_) {
        bool ended = false;
        {
            const std::lock_guard lock(connection_->mutex);
            ended = connection_->ended;
        }
        if (!ended) {
            return connection_;
        }
        Close(*connection_);  // died: started anew below
        connection_.reset();
    }
    if (unavailable_) {
        return nullptr;
    }
    int sockets[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sockets) != 0) {
        return nullptr;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, sockets[1], 3);  // dup2 clears close-on-exec
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    std::string parent = std::to_string(getpid());
    std::string program = program_;
    std::vector<char*> argv = {program.data(), parent.data(), nullptr};
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program_.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(sockets[1]);
    if (spawned != 0) {
        close(sockets[0]);
        // No helper on this system: the calls run on in-process worker threads instead. They still never
        // block the caller, but a call stuck on a dead mount then keeps the process from ending until it
        // returns. A passing shortage of processes or memory is no reason for that for good: this call
        // runs in-process, the next one tries the helper again.
        unavailable_ = spawned != EAGAIN && spawned != ENOMEM;
        return nullptr;
    }
    auto connection = std::make_shared<Connection>();
    connection->socket = sockets[0];
    connection->pid = pid;
    connection->reader = std::thread([connection] { ReadReplies(connection); });
    connection_ = connection;
    return connection;
}

void DriveHelper::ReadReplies(const std::shared_ptr<Connection>& connection) {
    std::uint32_t callId = 0;
    std::string message;
    while (ReadFrame(connection->socket, callId, message)) {
        Done done;
        {
            const std::lock_guard lock(connection->mutex);
            const auto it = connection->pending.find(callId);
            if (it == connection->pending.end()) {
                continue;
            }
            done = std::move(it->second);
            connection->pending.erase(it);
        }
        done(DecodeReply(message));
    }
    // The helper died or is being let go: what it still owed gets no answer.
    std::map<std::uint32_t, Done> unanswered;
    {
        const std::lock_guard lock(connection->mutex);
        connection->ended = true;
        unanswered.swap(connection->pending);
    }
    for (auto& [id, done] : unanswered) {
        done(std::nullopt);
    }
}

void DriveHelper::Start() {
    const std::lock_guard lock(mutex_);
    ConnectionLocked();
}

void DriveHelper::Send(const Request& request, Done done) {
    std::shared_ptr<Connection> connection;
    std::uint32_t callId = 0;
    {
        const std::lock_guard lock(mutex_);
        connection = ConnectionLocked();
        callId = nextCall_++;
    }
    if (!connection) {
        inProcess_.Post([request, done = std::move(done)] { done(Serve(request)); });
        return;
    }
    {
        const std::lock_guard lock(connection->mutex);
        if (connection->ended) {
            connection.reset();
        } else {
            connection->pending.emplace(callId, done);
        }
    }
    if (!connection) {
        done(std::nullopt);
        return;
    }
    bool sent = false;
    {
        const std::lock_guard lock(connection->writing);
        // Never waits: a helper that reads no more (stopped, say) would otherwise hold the caller, the
        // user-interface thread, once the socket's buffer is full.
        sent = WriteAll(connection->socket, Frame(callId, Encode(request)), MSG_DONTWAIT);
    }
    if (!sent) {
        // Gone, or not reading; a frame may be cut off. It is let go: its reader ends, what it owes gets
        // no answer, and the next request starts a new helper (and kills this one).
        shutdown(connection->socket, SHUT_RDWR);
        Done unsent;
        {
            const std::lock_guard lock(connection->mutex);
            connection->ended = true;
            const auto it = connection->pending.find(callId);
            if (it != connection->pending.end()) {
                unsent = std::move(it->second);
                connection->pending.erase(it);
            }
        }
        if (unsent) {
            unsent(std::nullopt);
        }
    }
}

}  // namespace wakelatch::platform::linux_helper
