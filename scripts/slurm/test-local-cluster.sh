#!/usr/bin/env bash
# Farm rendering on SLURM, end to end on this machine: starts a one-node cluster (munged,
# slurmctld and slurmd on localhost, in a scratch folder, on ports of their own), submits the
# demo as an array of 4 chunks with inkline-array.sbatch, waits, compares the frames byte for
# byte with a render on this machine, and stops the daemons again. Needs root (the daemons)
# and Debian's slurm-wlm and munge, which it installs when missing.
#   scripts/slurm/test-local-cluster.sh [RENDERER]   (default: build/default/cli/inkline-render)
set -euo pipefail
cd "$(dirname "$0")/../.."
renderer=$(realpath "${1:-build/default/cli/inkline-render}")
test -x "$renderer" || { echo "test-local-cluster: build $renderer first" >&2; exit 1; }

if ! command -v slurmctld >/dev/null || ! command -v munged >/dev/null; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends slurm-wlm munge >/dev/null
fi

dir=$(mktemp -d /tmp/inkline-slurm.XXXXXX)
pids=()
stop() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$dir"
}
trap stop EXIT

host=$(hostname -s)
cpus=$(nproc)
mkdir -p "$dir/state" "$dir/spool" "$dir/munge"
# A key of our own, so nothing of the machine's munge set-up is needed or touched.
dd if=/dev/urandom of="$dir/munge/munge.key" bs=1024 count=1 status=none
chmod 600 "$dir/munge/munge.key"
munged --force --key-file="$dir/munge/munge.key" --socket="$dir/munge/socket" \
  --pid-file="$dir/munge/pid" --log-file="$dir/munge/log" --seed-file="$dir/munge/seed" --foreground \
  >"$dir/munged.out" 2>&1 &
pids+=($!)

cat >"$dir/slurm.conf" <<CONF
ClusterName=inkline-test
SlurmctldHost=${host}(127.0.0.1)
SlurmctldPort=16817
SlurmdPort=16818
AuthType=auth/munge
AuthInfo=socket=$dir/munge/socket
CredType=cred/munge
SlurmUser=root
SlurmdUser=root
StateSaveLocation=$dir/state
SlurmdSpoolDir=$dir/spool
SlurmctldPidFile=$dir/slurmctld.pid
SlurmdPidFile=$dir/slurmd.pid
SlurmctldLogFile=$dir/slurmctld.log
SlurmdLogFile=$dir/slurmd.log
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
JobAcctGatherType=jobacct_gather/none
SelectType=select/cons_tres
SelectTypeParameters=CR_CPU
MpiDefault=none
ReturnToService=2
NodeName=${host} NodeAddr=127.0.0.1 CPUs=${cpus} State=UNKNOWN
PartitionName=render Nodes=${host} Default=YES MaxTime=INFINITE State=UP
CONF
export SLURM_CONF=$dir/slurm.conf
for _ in $(seq 50); do [[ -S "$dir/munge/socket" ]] && break; sleep 0.1; done
slurmctld -D -i -f "$SLURM_CONF" >"$dir/slurmctld.out" 2>&1 &
pids+=($!)
sleep 1
slurmd -D -f "$SLURM_CONF" -N "$host" >"$dir/slurmd.out" 2>&1 &
pids+=($!)
for _ in $(seq 100); do
  state=$(sinfo -h -o %t 2>/dev/null || true)
  [[ "$state" == idle* ]] && break
  sleep 0.2
done
[[ "$state" == idle* ]] || { echo "test-local-cluster: the node did not come up ($state)" >&2; cat "$dir"/*.out >&2; exit 1; }

scene=$(realpath examples/demo.json)
if ! sbatch --wait --quiet --array=1-4 --chdir="$dir" --export="ALL,INKLINE_RENDER=$renderer" \
  scripts/slurm/inkline-array.sbatch "$scene" "$dir/farm/shot.####.png" --start-number 1001; then
  # sbatch --wait says no more than its exit code: the jobs' own logs and the daemons' say why.
  echo "test-local-cluster: the job array failed; its logs and the daemons' follow" >&2
  for log in "$dir"/inkline-*.log "$dir"/*.out "$dir"/slurmctld.log "$dir"/slurmd.log; do
    [[ -f "$log" ]] || continue
    echo "--- $log" >&2
    tail -n 40 "$log" >&2
  done
  exit 1
fi
"$renderer" "$scene" -o "$dir/local/shot.####.png" --start-number 1001 --quiet
farm=$(ls "$dir/farm" | wc -l)
local=$(ls "$dir/local" | wc -l)
if [[ "$farm" -ne "$local" ]] || ! diff -r "$dir/farm" "$dir/local" >/dev/null; then
  echo "test-local-cluster: the array's $farm frames differ from the local render's $local" >&2
  cat "$dir"/inkline-*.log >&2 || true
  exit 1
fi
echo "test-local-cluster: the array of 4 chunks rendered the same $farm frames as the local render, byte for byte"
