#!/usr/bin/env bash
# Two windows over real UDP under nftables loss, each run in a private network
# namespace (needs root): the figures of docs/PROTOCOL.md.
#   tools/link-loss.sh [games] [moves]      after building link_loss_windows
# Each rate runs twice: as two Corvanes, and with every datagram beginning
# "cv" dropped, so that the windows never find each other and behave as V1.0.
set -euo pipefail
cd "$(dirname "$0")/.."
games=${1:-3}
moves=${2:-80}
program=$PWD/build/tests/shell/link_loss_windows
[ -x "$program" ] || { echo "build the target link_loss_windows first"; exit 1; }
export FONTCONFIG_FILE=$PWD/build/test-fonts/fonts.conf
for loss in 0 1 10 30; do
  for peers in link v1; do
    printf '%3s %% loss, %-4s ' "$loss" "$peers"
    unshare -n bash -c "
      set -e
      ip link set lo up
      nft add table inet loss
      nft add chain inet loss out '{ type filter hook output priority 0; }'
      if [ $peers = v1 ]; then nft add rule inet loss out udp dport '{ 41001, 41002 }' @th,64,16 0x6376 drop; fi
      if [ $loss != 0 ]; then nft add rule inet loss out udp dport '{ 41001, 41002 }' numgen random mod 100 '<' $loss drop; fi
      '$program' $games $moves 20 2>/dev/null | grep '^games'"
  done
done
