#!/bin/sh
# The web script of the tests: says which address it was asked for.
echo "gotoweb $1"
