#!/usr/bin/env bash
# Drives the built program as a user would.
set -euo pipefail
: "${VELK:?path to the velk program}"
exit 0
