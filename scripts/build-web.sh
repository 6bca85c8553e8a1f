#!/usr/bin/env bash
# Builds the web edition with Debian's Emscripten into build-web/: the page rally.html with
# rally.js, rally.wasm and rally.data, and build-web/rally-web-<version>.zip for a static web host
# (the four files, the game's license and Emscripten's notices for the run-time it links). Serve
# the folder over HTTP and open rally.html:
#
#   python3 -m http.server --directory build-web 8000    # then http://localhost:8000/rally.html
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
install_deps build web
# Emscripten's JavaScript optimizer needs Debian's acorn, which another Node.js on the PATH does
# not look for; and its tools run on Debian's own Python whatever python3 is first on the PATH.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH} EMSDK_PYTHON=/usr/bin/python3

emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=Release -DRALLY_WERROR=ON > /dev/null
cmake --build build-web -j"$(nproc)" --target rally

cp LICENSE build-web/  # the page links it
version=$(sed -n 's/^project(rally VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
staging=build-web/zip/rally-web-$version
rm -rf build-web/zip && mkdir -p "$staging/LICENSES"
cp build-web/rally.{html,js,wasm,data} LICENSE "$staging/"
cp /usr/share/doc/emscripten/copyright "$staging/LICENSES/emscripten-copyright"
rm -f "build-web/rally-web-$version.zip"
(cd build-web/zip && zip -qrX "../rally-web-$version.zip" "rally-web-$version")
for file in rally.html rally.js rally.wasm rally.data; do
  echo "$file: $(stat -c %s "build-web/$file") bytes, $(gzip -9c "build-web/$file" | wc -c) gzipped"
done
echo "Packed build-web/rally-web-$version.zip"
