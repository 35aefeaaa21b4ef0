# shellcheck shell=bash
# Sourced by make-pictures and make-demo: draws map-preview pictures with ImageMagick.
#
# A picture is a terrain of water, shore, grass, rock and snow, a faint grid of map
# cells, numbered start positions and a caption band with a label. Everything follows
# from the label (through its checksum), so the same label always gives the same picture.

# Fonts for the captions: DejaVu Sans for Latin text, WenQuanYi Micro Hei for Chinese.
# Either may be missing; ImageMagick's default font is used then.
tarnwick_pick_fonts() {
  local fonts
  fonts=$(convert -list font 2>/dev/null | sed -n 's/^ *Font: *//p')
  TARNWICK_LATIN_FONT=
  TARNWICK_CJK_FONT=
  if grep -qx 'DejaVu-Sans' <<<"$fonts"; then TARNWICK_LATIN_FONT=DejaVu-Sans; fi
  if grep -qx 'WenQuanYi-Micro-Hei' <<<"$fonts"; then TARNWICK_CJK_FONT=WenQuanYi-Micro-Hei; fi
}

# True when Chinese captions can be drawn readably.
tarnwick_can_draw_chinese() {
  [ -n "${TARNWICK_LATIN_FONT+set}" ] || tarnwick_pick_fonts
  [ -n "$TARNWICK_CJK_FONT" ]
}

# A number from 0 to 2^32-1 that depends only on the text.
tarnwick_text_seed() {
  printf '%s' "$1" | cksum | cut -d' ' -f1
}

# tarnwick_draw_preview WIDTH HEIGHT LABEL OUT [OPTION...]
# Writes the picture to OUT (its format from the name or an explicit "BMP3:" style
# prefix); the options go to ImageMagick right before OUT (quality, colour type, ...).
tarnwick_draw_preview() {
  local w=$1 h=$2 label=$3 out=$4
  shift 4
  [ -n "${TARNWICK_LATIN_FONT+set}" ] || tarnwick_pick_fonts

  local seed
  seed=$(tarnwick_text_seed "$label")

  # Terrain: three waves over the picture (across, along a slanted axis, around an
  # off-centre point), averaged to a height and coloured by height.
  local f1 f2 f3 p1 p2 p3 angle ox oy
  f1=$(awk -v s="$seed" 'BEGIN { printf "%.1f", 1.5 + (s % 23) / 10 }')
  f2=$(awk -v s="$seed" 'BEGIN { printf "%.1f", 1.2 + (int(s / 23) % 19) / 10 }')
  f3=$(awk -v s="$seed" 'BEGIN { printf "%.1f", 1.0 + (int(s / 437) % 17) / 10 }')
  p1=$(( seed % 360 ))
  p2=$(( (seed / 360) % 360 ))
  p3=$(( (seed / 129600) % 360 ))
  angle=$(( 15 + (seed / 7) % 60 ))
  ox=$(( (seed / 11) % (w + 1) ))
  oy=$(( (seed / 13) % (h + 1) ))

  # Start positions on an ellipse around the centre, numbered like the game's.
  local starts=$(( 2 + seed % 5 ))
  local radius=$(( (w < h ? w : h) / 22 + 3 ))
  local colours=('#d62828' '#1d6fd6' '#e8c21a' '#2aa845' '#e07b18' '#8e3fc4' '#19b5b0')
  local draw_starts=() k x y
  for ((k = 0; k < starts; k++)); do
    read -r x y < <(awk -v s="$seed" -v k="$k" -v n="$starts" -v w="$w" -v h="$h" 'BEGIN {
      a = (s % 360) * 3.14159265 / 180 + k * 2 * 3.14159265 / n
      printf "%d %d\n", w / 2 + 0.36 * w * cos(a), h / 2 + 0.32 * h * sin(a) }')
    draw_starts+=(-fill "${colours[k % ${#colours[@]}]}" -stroke white -strokewidth 2
                  -draw "circle $x,$y $((x + radius)),$y"
                  -stroke none -fill white -pointsize $((radius * 3 / 2))
                  -annotate "+$((x - radius * 2 / 5))+$((y + radius / 2))" "$((k + 1))")
  done

  # Colours from low to high ground, by the climate the label suggests.
  local palette
  shopt -s nocasematch
  if [[ $label =~ desert|sand|dune|沙漠 ]]; then
    palette=(-size 1x26 gradient:'#1d4f7a-#3a86b8' -size 1x8 gradient:'#3a86b8-#e9d7a0'
             -size 1x70 gradient:'#e2c483-#c99a58' -size 1x30 gradient:'#c99a58-#9a6b3c'
             -size 1x22 gradient:'#9a6b3c-#6e4a2c')
  elif [[ $label =~ snow|ice|tundra|alpine|arctic|winter|glacier|冰|雪 ]]; then
    palette=(-size 1x30 gradient:'#1c3d63-#4f86b5' -size 1x10 gradient:'#4f86b5-#cfe3ee'
             -size 1x40 gradient:'#dfe9ef-#f7fbff' -size 1x36 gradient:'#b9c6cf-#8d9aa3'
             -size 1x20 gradient:'#8d9aa3-#ffffff')
  else
    palette=(-size 1x34 gradient:'#12305c-#2d6db0' -size 1x10 gradient:'#2d6db0-#dcca8e'
             -size 1x6 gradient:'#dcca8e-#86ad57' -size 1x56 gradient:'#86ad57-#3b6a29'
             -size 1x30 gradient:'#3b6a29-#7f776a' -size 1x20 gradient:'#7f776a-#f0f0f0')
  fi
  shopt -u nocasematch

  # Caption band at the bottom.
  local font=() text=${label//%/%%}
  if [[ $label == *[![:ascii:]]* ]] && [ -n "${TARNWICK_CJK_FONT-}" ]; then
    font=(-font "$TARNWICK_CJK_FONT")
  elif [ -n "${TARNWICK_LATIN_FONT-}" ]; then
    font=(-font "$TARNWICK_LATIN_FONT")
  fi
  [[ $text == @* ]] && text="\\$text"
  local band=$(( h / 9 + 8 )) points=$(( h / 14 + 6 ))
  # The map's cells: two families of slanted lines forming diamonds.
  local cell=$(( w / 12 + 4 )) grid
  grid=$(awk -v w="$w" -v h="$h" -v c="$cell" 'BEGIN {
    for (b = -w; b <= h + w; b += c) printf "line 0,%d %d,%d line 0,%d %d,%d ", b, w, b - w / 2, b, w, b + w / 2 }')
  # Keep the caption inside the width.
  while (( points > 8 && points * ${#label} * 3 / 5 > w - 16 )); do points=$((points - 1)); done

  convert \
    \( -size "${w}x${h}" -define gradient:angle=90 gradient: +define gradient:angle -function Sinusoid "$f1,$p1" \) \
    \( -size "${w}x${h}" -define gradient:angle="$angle" gradient: +define gradient:angle -function Sinusoid "$f2,$p2" \) \
    \( -size "$((2 * w))x$((2 * h))" radial-gradient: -crop "${w}x${h}+${ox}+${oy}" +repage \
       -function Sinusoid "$f3,$p3" \) \
    -evaluate-sequence mean -set colorspace sRGB \
    \( "${palette[@]}" -append \) \
    -clut "${font[@]}" \
    -fill none -stroke '#ffffff30' -strokewidth 1 -draw "$grid" \
    "${draw_starts[@]}" \
    -stroke none -fill '#00000099' -draw "rectangle 0,$((h - band)) $w,$h" \
    -fill white -pointsize "$points" -gravity South \
    -annotate "+0+$(( (band - points) / 2 ))" "$text" +gravity \
    -strip "$@" "$out"
}
