#!/usr/bin/env bash
# Needs root, Xvfb, xdotool, imagemagick and nftables; uses the namespaces
# lsyA and lsyB and the displays :54 and :55. Build corvane and
# link_random_game first.
#
# Two Corvanes in two network namespaces (lsyA, lsyB) on a veth pair, each on
# its own Xvfb display; nftables in each namespace drops LOSS % of what it
# sends (and, for MODE=v1, every datagram beginning "cv"). Moves of a random
# legal game are dragged with xdotool; both boards are compared from
# screenshots before every move; boards not equal within STALL (default 60) s are a stall.
#   tools/link-loss-namespaces.sh LOSS MODE GAMES MOVES     (MODE: link or v1)
LOSS=$1; MODE=$2; GAMES=$3; MOVES=$4
cd "$(dirname "$0")/.."
B=$PWD/build
cleanup() { kill $PA $PB $XA $XB 2>/dev/null; sleep 0.3; ip netns del lsyA 2>/dev/null; ip netns del lsyB 2>/dev/null; rm -rf "$SHOTS"; }
SHOTS=$(mktemp -d)
trap cleanup EXIT
ip netns add lsyA; ip netns add lsyB
ip link add lsyA0 type veth peer name lsyB0
ip link set lsyA0 netns lsyA; ip link set lsyB0 netns lsyB
ip -n lsyA addr add 10.99.77.1/24 dev lsyA0; ip -n lsyB addr add 10.99.77.2/24 dev lsyB0
for n in lsyA lsyB; do
  ip -n $n link set lo up; ip -n $n link set ${n}0 up
  ip netns exec $n nft add table inet loss
  ip netns exec $n nft add chain inet loss out '{ type filter hook output priority 0; }'
  [ "$MODE" = v1 ] && ip netns exec $n nft add rule inet loss out udp dport 1234 @th,64,16 0x6376 drop
  [ "$LOSS" != 0 ] && ip netns exec $n nft add rule inet loss out udp dport 1234 numgen random mod 100 '<' $LOSS drop
done
Xvfb :54 -screen 0 1024x768x24 >/dev/null 2>&1 & XA=$!
Xvfb :55 -screen 0 1024x768x24 >/dev/null 2>&1 & XB=$!
sleep 1
export FONTCONFIG_FILE=$B/test-fonts/fonts.conf
ip netns exec lsyA env DISPLAY=:54 FONTCONFIG_FILE=$FONTCONFIG_FILE $B/shell/corvane --peer 10.99.77.2 --remote-port 1234 --local-port 1234 >/dev/null 2>&1 & PA=$!
ip netns exec lsyB env DISPLAY=:55 FONTCONFIG_FILE=$FONTCONFIG_FILE $B/shell/corvane --peer 10.99.77.1 --remote-port 1234 --local-port 1234 >/dev/null 2>&1 & PB=$!
sleep 4
shot() { DISPLAY=$1 import -window root -crop 360x400+242+192 +repage $SHOTS/$2.png; }
same() { shot :54 a; shot :55 b; [ "$(compare -metric AE $SHOTS/a.png $SHOTS/b.png null: 2>&1)" = 0 ]; }
waitsame() { local end=$((SECONDS+$1)); while [ $SECONDS -lt $end ]; do same && return 0; sleep 0.3; done; return 1; }
drag() { DISPLAY=$1 xdotool mousemove $2 $3 mousedown 1 mousemove $(($2+3)) $(($3+3)) sleep 0.1 mousemove $4 $5 sleep 0.1 mouseup 1; }
restart() { for d in :54 :55; do DISPLAY=$d xdotool mousemove 228 172 click 1 sleep 0.6 mousemove 242 198 click 1; done; sleep 1.5; }
tried=0; stalls=0; diverged=0
for g in $(seq 1 $GAMES); do
  [ $g -gt 1 ] && restart
  i=0; stalled=0
  while read fr fc tr tc; do
    if ! waitsame ${STALL:-60}; then stalls=$((stalls+1)); stalled=1; break; fi
    sleep 0.3
    d=:54; [ $((i % 2)) = 1 ] && d=:55
    drag $d $((260+40*(fc-1))) $((211+40*(fr-1))) $((260+40*(tc-1))) $((211+40*(tr-1)))
    tried=$((tried+1)); i=$((i+1))
  done < <($B/tests/net/protocol/link_random_game $MOVES $g)
  if [ $stalled = 0 ] && ! waitsame 30; then stalls=$((stalls+1)); fi
done
echo "loss $LOSS% $MODE: games $GAMES moves tried $tried delivered $((tried-stalls)) stalls $stalls"
