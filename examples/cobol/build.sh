export PKG_CONFIG_PATH="$PREFIX/lib/pkgconfig"
copybooks="$(pkg-config --variable=copybookdir quarn-m)"
cobc -x -fstatic-call ixiostat-call.cob -I "$copybooks" -L "$PREFIX/lib" -lquarn-m -Q "-Wl,-rpath,$PREFIX/lib"
./ixiostat-call
cobc -x -o ixiostat-dynamic ixiostat-call.cob -I "$copybooks"
COB_LIBRARY_PATH="$PREFIX/lib" COB_PRE_LOAD=libquarn-m ./ixiostat-dynamic
cobc -x -fstatic-call calling.cob -I "$copybooks" -L "$PREFIX/lib" -lquarn-m -Q "-Wl,-rpath,$PREFIX/lib"
./calling
