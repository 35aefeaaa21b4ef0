#!/usr/bin/env bash
# picture_colours.sh FOLDER: writes FOLDER/colours.txt, each line of FOLDER/pictures.txt
# ("name width height") followed, for a picture that decodes, by a reference that doesn't
# come from the decoder under test: the mean colour of each cell of a 4 x 3 grid laid over
# it (cells left to right, rows top to bottom; red, green, blue from 0 to 255), as
# ImageMagick reads the file.
set -euo pipefail
folder=$1
while read -r name width height; do
  values=
  if [ "$width" != 0 ]; then
    values=$(convert "$folder/$name" -colorspace sRGB -alpha off -scale '4x3!' -depth 8 rgb:- | od -An -tu1 -v | xargs)
  fi
  echo "$name $width $height $values"
done <"$folder/pictures.txt" >"$folder/colours.txt.new"
mv "$folder/colours.txt.new" "$folder/colours.txt"
