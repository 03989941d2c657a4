export PKG_CONFIG_PATH="$PREFIX/lib/pkgconfig"
cc -o ixiostat ixiostat.c $(pkg-config --cflags --libs quarn-m) -Wl,-rpath,"$PREFIX/lib"
./ixiostat
