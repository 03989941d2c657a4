#!/bin/sh
# The help script of the tests: says which page it was asked for.
echo "openhelps $*"
