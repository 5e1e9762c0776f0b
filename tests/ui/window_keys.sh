# Sourced by the end-to-end scripts inside their virtual display: find a window of the
# program by its exact title and give it the keyboard.
focus() {
    local id
    id=$(timeout 30 xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1)
    [ -n "$id" ] || { echo "no window \"$1\""; return 1; }
    xdotool windowfocus --sync "$id"
    sleep 0.3
}
press_enter_on() {
    focus "$1"
    xdotool key --clearmodifiers Return
}
