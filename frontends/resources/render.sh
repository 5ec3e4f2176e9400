#!/usr/bin/env bash
# Renders the persona pictures to the PNG files the program embeds: Qt's base
# libraries read PNG but not SVG. Needs rsvg-convert (Debian: librsvg2-bin).
# Run it after editing an SVG and commit both.
set -euo pipefail
cd "$(dirname "$0")"
rsvg-convert -w 110 -h 111 -o image1.png image1.svg
rsvg-convert -w 83 -h 64 -o image2.png image2.svg
rsvg-convert -w 64 -h 64 -o icon-64.png image1.svg
rsvg-convert -w 256 -h 256 -o icon-256.png image1.svg
