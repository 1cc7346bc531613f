# Without a desktop shell (Wine on Linux) the wallpaper is a bottom-most window over the
# monitor that shows the clip's moving picture. halves.avi is 4:3 (two coloured halves) on a
# 16:9 screen: Cover crops it vertically, its anchor picks the part, Contain leaves black bars
# left and right. Wine's renderer ignores the aspect-ratio mode, so Stretch is checked by its
# log line only. Screenshots are kept in <build>/shots.
source "$(dirname "$0")/lib/wallpaper.bash"

shoot() {  # name VideoSize PosX PosY -> screenshot path
  prepare_record "$fixtures/halves.avi" "$2" "$3" "$4"
  start_app
  wait_log "Media session started" 1 30 || fail "$1: the clip did not start"
  sleep 2
  import -display "$DISPLAY" -window root "$shots/wallpaper-$1.png" || fail "$1: no screenshot"
  [ "$(log_count "No desktop wallpaper layer: bottom-most window")" -eq 1 ] || fail "$1: not the bottom-most window"
  end_app
}

shoot cover-top 0 50 0
shoot cover-bottom 0 50 100
shoot contain 1 50 50
shoot stretch 2 50 50
grep -q ": Set Stretched 1" "$log_file" || fail "stretch: the renderer was not asked to stretch"

# Left column, a third of the way down, and the right edge near the top (outside the main window).
top_a=$(colour "$shots/wallpaper-cover-top.png" 100 300)
top_b=$(colour "$shots/wallpaper-cover-bottom.png" 100 300)
[[ "$top_a" =~ ^[rb]$ ]] || fail "cover: no picture at the left edge ($top_a)"
[[ "$top_b" =~ ^[rb]$ ]] || fail "cover: no picture at the left edge ($top_b)"
[ "$top_a" != "$top_b" ] || fail "cover: the vertical anchor did not move the picture ($top_a at 0 and 100)"
[ "$(colour "$shots/wallpaper-cover-top.png" 1500 100)" != k ] || fail "cover: black at the right edge"
[ "$(colour "$shots/wallpaper-contain.png" 100 300)" = k ] || fail "contain: no black bar on the left"
[ "$(colour "$shots/wallpaper-contain.png" 1500 300)" = k ] || fail "contain: no black bar on the right"
[[ "$(colour "$shots/wallpaper-contain.png" 1300 100)" =~ ^[rb]$ ]] || fail "contain: no picture inside"

# The picture moves: two screenshots of the test pattern clip differ. A long clip, taken in
# its first play: after a few loops Wine 8's video renderer runs out of samples and stalls.
prepare_record "$fixtures/long.avi"
start_app
wait_log "Media session started" 1 30 || fail "long.avi did not start"
sleep 1
import -display "$DISPLAY" -window root "$shots/wallpaper-moving-1.png"
sleep 0.3
import -display "$DISPLAY" -window root "$shots/wallpaper-moving-2.png"
end_app
diff=$(compare -metric AE "$shots/wallpaper-moving-1.png" "$shots/wallpaper-moving-2.png" null: 2>&1 | cut -d' ' -f1)
[ "${diff%.*}" -gt 1000 ] 2>/dev/null || fail "the picture does not move ($diff pixels differ)"
reset_settings
pass "bottom-most wallpaper: cover with its vertical anchor, contain's bars, a moving picture"
