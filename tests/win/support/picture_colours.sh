#!/usr/bin/env bash
# picture_colours.sh FOLDER: writes FOLDER/colours.txt, a reference for the pictures
# listed in FOLDER/pictures.txt that doesn't come from the decoder under test: for
# each picture that decodes, its name and the mean colour of each cell of a 4 x 3 grid
# laid over it (cells left to right, rows top to bottom; red, green, blue from 0 to
# 255), as ImageMagick reads the file.
set -euo pipefail
folder=$1
table="$folder/colours.txt"
: >"$table.new"
while read -r name width height; do
  if [ "$width" = 0 ]; then continue; fi
  values=$(convert "$folder/$name" -colorspace sRGB -alpha off -scale '4x3!' -depth 8 rgb:- | od -An -tu1 -v | xargs)
  if [ "$(wc -w <<<"$values")" != 36 ]; then
    echo "picture_colours.sh: no 4 x 3 colours for $name" >&2
    exit 1
  fi
  echo "$name $values" >>"$table.new"
done <"$folder/pictures.txt"
mv "$table.new" "$table"
