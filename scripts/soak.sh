#!/usr/bin/env bash
# `make soak`: one long session of the program under Wine against the controller simulator
# (tests/e2e/soak_test.cpp), after which its GDI and USER objects and its memory must be back
# where they started. It prints the counts before and after ("SOAK before: ...").
#
# Environment (defaults in brackets), for a shorter run:
#   SOAK_TRANSMITS [500]  SOAK_RECEIVES [500]  SOAK_REPAINTS [1000]  SOAK_DIALOGS [200]
set -euo pipefail
cd "$(dirname "$0")/.."
export ZRT_SOAK=1 ONLY=e2e E2E_FILTER='Soak.*' E2E_TIMEOUT=${E2E_TIMEOUT:-14400}
exec scripts/test.sh
