#!/usr/bin/env bash
# Writes a benchmark story into DIR, with the demo's pictures.
# Usage: bench/stories/make-scene-story.sh DIR [scenes|anchor|many]
#   scenes : a scene changes about once a second, while the hero walks: each
#            of the six 2048x1024 backgrounds (scenes and picture-novel
#            backgrounds) and the two 512x1024 figures is first used at a
#            change, then the round is played again
#   anchor : one picture-novel screen (a 2048x1024 background, a 512x1024
#            figure, the dialogue frame and a line of text) waiting for a click
#   many   : a manifest of 300 pictures of 2048x1024 (copies of the demo's
#            backgrounds), shown one after another, about a frame each (a
#            frame runs at most 102 commands of a script)
set -euo pipefail
dir=$1
kind=${2:-scenes}
demo=$(realpath "$(dirname "$0")/../../demo/image")
mkdir -p "$dir/script" "$dir/image"
cp "$demo"/*.png "$dir/image/"
out="$dir/script/start.txt"

novel_scene() {  # background figure text
    cat <<SCENE
move \$a0 8
ChangeMode
move \$a0 $1
AddSprite x bg
move \$a0 $2
AddSprite x fig
GetSprite fig
move \$a0 \$v0
move \$a1 700
move \$a2 0
SetSpritePosition
ShowDialogueFrame
SetDialogueContent $3
WaitForEvent EVENT_MOUSE_DOWN
HideDialogueFrame
CleanScene
SCENE
}

walk_scene() {  # background figure x: the hero walks to x, about a second away
    # (the hero outlives CleanScene: it walks back and forth)
    cat <<SCENE
CleanScene
SetSceneScale 2048 1024
LoadSprite $1 x bg
move \$a0 \$v0
move \$a1 1024
move \$a2 512
PlaceEntity
SetEntityDepth bg 100000
LoadSprite $2 x fig
move \$a0 \$v0
move \$a1 900
move \$a2 900
PlaceEntity
LoadSprite 1 x hero
move \$a0 \$v0
move \$a1 560
move \$a2 780
PlaceEntity
SetHero hero
MoveEntityTo hero $3 780 4
WaitForEvent EVENT_HERO_STOP
SCENE
}

case $kind in
scenes)
    : >"$out"
    for round in 1 2; do
        walk_scene 2003 3000 760 >>"$out"
        walk_scene 0 3001 560 >>"$out"
        walk_scene 2004 3000 760 >>"$out"
        walk_scene 4 3001 560 >>"$out"
        walk_scene 2001 3000 760 >>"$out"
        walk_scene 5 3001 560 >>"$out"
    done
    echo End >>"$out"
    ;;
anchor)
    { novel_scene 2003 3000 "Waiting_for_a_click."; echo End; } >"$out"
    ;;
many)
    backgrounds=(genkan rouka heya0 magic pc01 pc02)
    {
        for i in $(seq 0 299); do
            file="image/many$i.png"
            ln -f "$dir/image/${backgrounds[$((i % 6))]}.png" "$dir/$file"
            printf '[pictures.%d]\nfiles = ["%s"]\nsize = [2048, 1024]\n' $((5000 + i)) "$file"
        done
    } >"$dir/story.toml"
    {
        echo "move \$a0 8"
        echo ChangeMode
        for i in $(seq 0 299); do
            printf 'move $a0 %d\nAddSprite x p\n' $((5000 + i))
            printf 'move $t0 0\n%.0s' $(seq 102)
            echo CleanScene
        done
        echo End
    } >"$out"
    ;;
*)
    echo "make-scene-story: unknown kind $kind" >&2
    exit 2
    ;;
esac
