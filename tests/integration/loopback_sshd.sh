#!/usr/bin/env bash
# loopback_sshd.sh FOLDER: starts an sshd of its own on a free 127.0.0.1 port with throwaway keys in
# FOLDER (client key FOLDER/client_key, pid in FOLDER/sshd.pid) and prints the port once it answers.
set -eu
folder=${1:?usage: $0 FOLDER}
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')
ssh-keygen -q -t ed25519 -N '' -f "$folder/host_key"
ssh-keygen -q -t ed25519 -N '' -f "$folder/client_key"
cp "$folder/client_key.pub" "$folder/authorized_keys"
cat >"$folder/sshd_config" <<END
Port $port
ListenAddress 127.0.0.1
HostKey $folder/host_key
AuthorizedKeysFile $folder/authorized_keys
PidFile $folder/sshd.pid
PermitRootLogin prohibit-password
PasswordAuthentication no
StrictModes no
UsePAM no
Subsystem sftp internal-sftp
END
mkdir -p /run/sshd
/usr/sbin/sshd -f "$folder/sshd_config"
for _ in $(seq 1 100); do
    (: <"/dev/tcp/127.0.0.1/$port") 2>/dev/null && { echo "$port"; exit 0; }
    sleep 0.05
done
exit 1
