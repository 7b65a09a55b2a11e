#!/bin/sh
# makensis for CPack: a 64-bit Unicode installer from a UTF-8 script, so that it
# runs where the 64-bit game runs and Cyrillic names reach Windows as written.
exec makensis -INPUTCHARSET UTF8 "-XTarget amd64-unicode" "$@"
