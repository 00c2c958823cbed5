#!/usr/bin/env bash
# Regenerates the codec fixtures and their reference decodes (run once; the results are
# committed and the tests never run these tools). Needs imagemagick, gifsicle,
# libjpeg-turbo-progs and python3.
set -euo pipefail
cd "$(dirname "$0")"
IM=convert-im6.q16

# The source picture: two crossing gradients, 23 x 17.
$IM -size 23x17 gradient:'#ff2000-#0030e0' \( -size 17x23 gradient:'#00c000-#400000' -rotate 90 \) \
    -compose plus -composite -depth 8 src.ppm
$IM -size 23x17 gradient:white-black -rotate 0 alpha.pgm
$IM src.ppm -colorspace gray -depth 8 grey.pgm

ref() { $IM "$1" -alpha off -depth 8 "bgr:${1%.*}.bgr"; }

# PNG of every accepted colour type and depth; 16-bit files hold 8-bit values x 257 so
# their high bytes equal the reference.
$IM src.ppm -define png:color-type=2 -depth 8 png_rgb8.png
$IM src.ppm -depth 16 PNG48:png_rgb16.png
$IM src.ppm alpha.pgm -alpha off -compose copy-opacity -composite -define png:color-type=6 -depth 8 png_rgba8.png
$IM src.ppm alpha.pgm -alpha off -compose copy-opacity -composite -depth 16 PNG64:png_rgba16.png
$IM src.ppm -colorspace gray -define png:color-type=0 -depth 8 png_grey8.png
$IM grey.pgm -define png:color-type=0 -depth 16 png_grey16.png
$IM src.ppm -colorspace gray alpha.pgm -alpha off -compose copy-opacity -composite -define png:color-type=4 -depth 8 png_greyalpha8.png
$IM grey.pgm alpha.pgm -alpha off -compose copy-opacity -composite -define png:color-type=4 -depth 16 png_greyalpha16.png
$IM src.ppm -colors 200 -define png:color-type=3 -define png:bit-depth=8 png_palette8.png
$IM src.ppm -define png:color-type=2 -depth 8 -interlace PNG png_interlaced.png
for f in png_rgb8 png_rgb16 png_rgba8 png_rgba16 png_grey8 png_grey16 png_greyalpha8 png_greyalpha16 png_palette8 png_interlaced; do
  ref $f.png
done
$IM png_rgba8.png -alpha extract -negate -depth 8 bgr:png_rgba8_mask.bgr

# BMP of every depth and compression.
$IM src.ppm -colors 2 -type palette bmp3:bmp_1.bmp
$IM src.ppm -colors 16 -type palette -compress none bmp3:bmp_4.bmp
$IM src.ppm -colors 200 -type palette -compress none bmp3:bmp_8.bmp
$IM src.ppm -colors 200 -type palette -compress RLE bmp3:bmp_rle8.bmp
$IM src.ppm -type truecolor bmp3:bmp_24.bmp
$IM src.ppm -define bmp:subtype=RGB555 bmp_555.bmp
$IM src.ppm -define bmp:subtype=RGB565 bmp_565.bmp
$IM src.ppm alpha.pgm -alpha off -compose copy-opacity -composite -define bmp:format=bmp4 bmp_32.bmp
for f in bmp_1 bmp_4 bmp_8 bmp_rle8 bmp_24 bmp_555 bmp_565 bmp_32; do ref $f.bmp; done

# GIF: still, interlaced, transparent (reference drawn over white, the store's fill).
$IM src.ppm -colors 64 gif_still.gif
$IM src.ppm -colors 64 -interlace GIF gif_interlaced.gif
$IM src.ppm -colors 64 -fuzz 20% -transparent "$($IM src.ppm -format '%[pixel:p{0,0}]' info:)" gif_transparent.gif
ref gif_still.gif; ref gif_interlaced.gif
$IM gif_transparent.gif -background white -flatten -depth 8 bgr:gif_transparent.bgr

# Animated, one file per disposal method. Frame 0 fills the screen with the background
# colour except a mark in the corner; later frames sit inside, opaque, so every
# disposal method has one well-defined result.
$IM -size 20x14 xc:white -fill '#102030' -draw 'rectangle 15,0 19,3' -colors 8 anim_f0.gif
$IM -size 8x6 xc:'#c02020' -fill '#2020c0' -draw 'rectangle 0,0 3,2' anim_f1.gif
$IM -size 6x5 xc:'#20a020' anim_f2.gif
$IM -size 7x4 xc:'#e0e000' -fill black -draw 'point 1,1' anim_f3.gif
for d in none asis background previous; do
  gifsicle --loopcount=3 --background='#FFFFFF' -d 7 anim_f0.gif \
           --disposal=$d -d 12 -p 2,3 anim_f1.gif \
           --disposal=$d -d 25 -p 9,6 anim_f2.gif \
           --disposal=$d -p 4,2 anim_f3.gif > gif_anim_$d.gif
  $IM gif_anim_$d.gif -coalesce -background white -alpha remove -depth 8 bgr:gif_anim_$d.bgr
done
# A transparent pixel in a later frame leaves the pixel below untouched.
$IM -size 6x5 xc:'#20a020' -fill '#00ff00' -draw 'point 2,2' -transparent '#00ff00' anim_ft.gif
gifsicle --loopcount=0 anim_f0.gif -p 3,3 anim_ft.gif > gif_anim_transparent.gif
$IM gif_anim_transparent.gif -coalesce -background white -alpha remove -depth 8 bgr:gif_anim_transparent.bgr
gifsicle --interlace gif_anim_none.gif > gif_anim_interlaced.gif
rm -f anim_f*.gif

# JPEG: baseline, progressive, grey, 4:2:0 and 4:4:4.
cjpeg -quality 85 src.ppm > jpeg_baseline.jpg
cjpeg -quality 85 -progressive src.ppm > jpeg_progressive.jpg
cjpeg -quality 85 -grayscale src.ppm > jpeg_grey.jpg
cjpeg -quality 85 -sample 2x2 src.ppm > jpeg_420.jpg
cjpeg -quality 85 -sample 1x1 src.ppm > jpeg_444.jpg

# WBMP and OTA bitmaps of a dithered picture.
# (The OTA picture is 24 wide: this writer pads rows to bytes, the format does not.)
$IM src.ppm -colorspace gray -monochrome wbmp:mono.wbm
$IM src.ppm -resize 24x17! -colorspace gray -monochrome otb:mono24.otb
$IM wbmp:mono.wbm -depth 8 bgr:mono.bgr
$IM otb:mono24.otb -depth 8 bgr:mono24.bgr

python3 make_malformed.py
rm -f src.ppm alpha.pgm grey.pgm
