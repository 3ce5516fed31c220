#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# tools/check-layers.sh on a small tree under this repository's map: the clean tree passes, and every wrong
# include or link, planted alone and spelt each way the preprocessor or CMake takes it, fails the check with its
# file, line and rule. A map the check cannot read stops it; a changed map changes what it allows.
#
#     bash tests/check-layers.sh [SOURCE_ROOT]
set -euo pipefail

source_root="$(cd "${1:-$(dirname "$0")/..}" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
clean="$work/clean"
tree="$work/tree"
failures=0

put() { mkdir -p "$(dirname "$clean/$1")" && cat >"$clean/$1"; }

cp "$source_root/README.md" "$work/README.md"
mkdir -p "$clean"
cp "$work/README.md" "$clean/"

# Every allowed arrow of the map, and text that only looks like a wrong one: comments, strings, raw strings.
put core/uFigure.h <<<'#pragma once'
put core/uWell.h <<'EOF'
#pragma once
#include <vector>
#include "uFigure.h"
#include <core/uFigure.h>
// The well never reaches for #include "engine/uGame.h", nor for Qt.
inline int separated = 1'000; /* a digit separator opens no character literal:
#include "engine/uGame.h"
*/
EOF
put core/CMakeLists.txt <<'EOF'
add_library(stakkar_core STATIC uFigure.h uWell.h)  # Qt6::Core and stakkar_engine stay out of here
target_include_directories(stakkar_core PUBLIC ${PROJECT_SOURCE_DIR})
EOF
put web/uViewer.cpp <<<'#include "core/uWell.h"'
put web/CMakeLists.txt <<'EOF'
add_library(stakkar_viewer STATIC)
target_link_libraries(stakkar_viewer PUBLIC Qt6::Core)
EOF
put platform/uCodePage.h <<'EOF'
#pragma once
#include <QString>
#include <QImage>
EOF
put platform/CMakeLists.txt <<'EOF'
add_library(stakkar_platform STATIC uCodePage.h)
target_link_libraries(stakkar_platform PUBLIC Qt6::Core Qt6::Gui)
EOF
put storage/uSLIni.h <<'EOF'
#pragma once
#include "core/uWell.h"
#include "../platform/uCodePage.h"
#  include <QString>
inline const char* const sample = R"text(
#include "engine/uGame.h"
)text";
inline const char* const quoted = "#include \"engine/uGame.h\"";
EOF
put storage/CMakeLists.txt <<'EOF'
add_library(stakkar_storage STATIC uSLIni.h)
#[[ Linking stakkar_engine here
    would turn the layers upside down. ]]
target_link_libraries(stakkar_storage PUBLIC
    stakkar_core   # the rules table
    stakkar_platform)
EOF
put look/uSkin.h <<'EOF'
#pragma once
#include "storage/uSLIni.h"
#include "core/uWell.h"
#include <QImage>
#include <qaction.h>
EOF
put look/CMakeLists.txt <<'EOF'
add_library(stakkar_look STATIC uSkin.h)
target_link_libraries(stakkar_look PUBLIC stakkar_core stakkar_storage stakkar_platform)
EOF
put widgets/uLabels.h <<'EOF'
#pragma once
#include <QLabel>
#include "storage/uSLIni.h"
#include <platform/uCodePage.h>
EOF
put widgets/CMakeLists.txt <<'EOF'
add_library(stakkar_widgets STATIC uLabels.h)
target_link_libraries(stakkar_widgets PUBLIC stakkar_storage stakkar_platform Qt6::Widgets)
EOF
put engine/uGame.h <<'EOF'
#pragma once
#include "widgets/uLabels.h"
#include "look/uSkin.h"
#include "core/uWell.h"
#include <QWidget>
EOF
put engine/CMakeLists.txt <<'EOF'
add_library(stakkar_engine STATIC uGame.h)
target_link_libraries(stakkar_engine PUBLIC stakkar_widgets stakkar_look stakkar_core stakkar_storage
                                            stakkar_platform Qt6::Widgets Qt6::Multimedia)
EOF
put shell/uKeys.h <<'EOF'
#pragma once
#include "engine/uGame.h"
EOF
put shell/main.cpp <<<'#include "shell/uKeys.h"'
put shell/CMakeLists.txt <<'EOF'
add_library(stakkar_shell STATIC uKeys.h)
target_link_libraries(stakkar_shell PUBLIC stakkar_engine stakkar_platform Qt6::Network)
add_executable(stakkar main.cpp)
target_link_libraries(stakkar PRIVATE stakkar_shell stakkar_resources)
EOF
# The server's libraries are folders inside server/, each held to its own row and not to server's.
put server/check/uScoreRecord.h <<'EOF'
#pragma once
#include "core/uWell.h"
#include "../../storage/uSLIni.h"
EOF
put server/check/CMakeLists.txt <<'EOF'
add_library(stakkar_server_check STATIC uScoreRecord.h)
target_link_libraries(stakkar_server_check PUBLIC stakkar_storage stakkar_core stakkar_platform)
EOF
put server/store/uResultStore.h <<'EOF'
#pragma once
#include <QSqlQuery>
#include "server/check/uScoreRecord.h"
#include "../check/uScoreRecord.h"
EOF
put server/store/CMakeLists.txt <<'EOF'
add_library(stakkar_server_store STATIC uResultStore.h)
target_link_libraries(stakkar_server_store PUBLIC stakkar_server_check stakkar_core Qt6::Sql)
target_include_directories(stakkar_server_store PRIVATE ../check ${PROJECT_SOURCE_DIR}/server/check)
EOF
put server/pages/uPageParts.h <<'EOF'
#pragma once
#include "server/store/uResultStore.h"
#include "platform/uCodePage.h"
EOF
put server/pages/CMakeLists.txt <<'EOF'
add_library(stakkar_server_pages STATIC uPageParts.h)
target_link_libraries(stakkar_server_pages PUBLIC stakkar_server_store stakkar_server_check stakkar_platform)
EOF
put server/http/uHttpReply.h <<'EOF'
#pragma once
#include <QByteArray>
#include "server/pages/uPageParts.h"
#include "storage/uSLIni.h"
EOF
put server/http/CMakeLists.txt <<'EOF'
add_library(stakkar_server_http STATIC uHttpReply.h)
target_link_libraries(stakkar_server_http PUBLIC stakkar_server_pages stakkar_storage)
EOF
put server/uScoreJson.h <<'EOF'
#pragma once
#include <QSqlQuery>
#include "storage/uSLIni.h"
#include "core/uWell.h"
#include "server/http/uHttpReply.h"
#include "http/uHttpReply.h"
EOF
put server/CMakeLists.txt <<'EOF'
add_subdirectory(check)
add_library(stakkar_server STATIC uScoreJson.h)
target_link_libraries(stakkar_server PUBLIC stakkar_server_http stakkar_server_store stakkar_storage stakkar_core
                                            stakkar_platform Qt6::HttpServer Qt6::Sql)
EOF
put resources/CMakeLists.txt <<'EOF'
add_library(stakkar_resources STATIC)
target_link_libraries(stakkar_resources PUBLIC Qt6::Core)
qt_add_resources(stakkar_resources "texts" PREFIX "/" FILES LangDef)
EOF

fail() {
    echo "FAIL: $1"
    sed 's/^/    /' "$work/out"
    failures=$((failures + 1))
}

# Runs the check on the tree; sets status.
run() {
    status=0
    bash "$source_root/tools/check-layers.sh" "$tree" >"$work/out" 2>&1 || status=$?
}

fresh() {
    rm -rf "$tree"
    cp -r "$clean" "$tree"
}

fresh
run
[ "$status" = 0 ] && grep -qx "every include and link runs downward" "$work/out" || fail "the clean tree"

# file | the fault's line, counted from the first planted line | the text planted | what the fault line names
while IFS='|' read -r file offset text expected; do
    fresh
    line=$(($(wc -l <"$tree/$file") + offset))
    printf '%b\n' "$text" >>"$tree/$file"
    run
    own="${file%/*}"
    if [ "$status" != 1 ] || ! grep -qxF "1 includes and links break the map in README.md" "$work/out" ||
        ! grep -F "$file:$line: $expected" "$work/out" | grep -qF "but $own may use"; then
        fail "$file: $text"
    fi
done <<'EOF'
storage/uSLIni.h|1|#include <engine/uGame.h>|#include <engine/uGame.h> reaches engine/uGame.h in engine
look/uSkin.h|1|# include "engine/uGame.h"|#include "engine/uGame.h" reaches engine
look/uSkin.h|1|#\tinclude\t<engine/uGame.h>|#include <engine/uGame.h> reaches engine
look/uSkin.h|1|#  include<engine/uGame.h>|#include <engine/uGame.h> reaches engine
storage/uSLIni.h|1|  %:include "engine/uGame.h"|#include "engine/uGame.h" reaches engine
storage/uSLIni.h|1|#/* why */include /* not */ "engine/uGame.h" // here|#include "engine/uGame.h" reaches engine
storage/uSLIni.h|2|// a line comment never opens /*\n#include <engine/uGame.h>|#include <engine/uGame.h> reaches engine
storage/uSLIni.h|1|#include \\\n    "engine/uGame.h"|#include "engine/uGame.h" reaches engine
storage/uSLIni.h|1|#include_next <engine/uGame.h>|#include_next <engine/uGame.h> reaches engine
core/uWell.h|1|#include "storage/uSLIni.h"|#include "storage/uSLIni.h" reaches storage/uSLIni.h in storage
widgets/uLabels.h|1|#include "look/uSkin.h"|#include "look/uSkin.h" reaches look/uSkin.h in look
widgets/uLabels.h|1|#include <core/uWell.h>|#include <core/uWell.h> reaches core/uWell.h in core
storage/uSLIni.h|1|#include "../engine/uGame.h"|#include "../engine/uGame.h" reaches engine/uGame.h in engine
server/uScoreJson.h|1|#include "./../look/uSkin.h"|#include "./../look/uSkin.h" reaches look/uSkin.h in look
storage/uSLIni.h|1|#include "uGame.h"|#include "uGame.h" reaches engine/uGame.h in engine
storage/uSLIni.h|1|#include "engine/uNotYet.h"|#include "engine/uNotYet.h" reaches engine/uNotYet.h in engine
look/uSkin.h|1|#include <QLabel>|#include <QLabel> needs Qt Widgets
look/uSkin.h|1|#include <QtWidgets/QWidget>|#include <QtWidgets/QWidget> needs Qt Widgets
storage/uSLIni.h|1|#include <qwidget.h>|#include <qwidget.h> needs Qt Widgets
server/uScoreJson.h|1|#include <QOpenGLWidget>|#include <QOpenGLWidget> needs Qt Widgets
platform/uCodePage.h|1|#include "QApplication"|#include "QApplication" needs Qt Widgets
core/uWell.h|1|#include <QString>|#include <QString> is Qt
core/uWell.h|1|#include <QtNetwork/QTcpSocket>|#include <QtNetwork/QTcpSocket> is Qt
core/uWell.h|1|#include <qglobal.h>|#include <qglobal.h> is Qt
storage/uSLIni.h|2|#define HEADER "engine/uGame.h"\n#include HEADER|#include HEADER names its header through a macro
storage/CMakeLists.txt|2|target_link_libraries(stakkar_storage PRIVATE\n    stakkar_engine)|links stakkar_engine
storage/CMakeLists.txt|1|target_link_libraries(stakkar_storage PRIVATE stakkar_resources)|links stakkar_resources
server/CMakeLists.txt|1|TARGET_LINK_LIBRARIES(stakkar_server PRIVATE "stakkar_look")|links stakkar_look
widgets/CMakeLists.txt|1|set(more stakkar_core)|set() names stakkar_core
look/CMakeLists.txt|1|target_link_libraries(stakkar_look PRIVATE Qt6::Widgets)|links Qt6::Widgets, which needs Qt Widgets
server/CMakeLists.txt|1|target_link_libraries(stakkar_server PRIVATE Qt::OpenGLWidgets)|links Qt::OpenGLWidgets, which needs Qt Widgets
core/CMakeLists.txt|1|target_link_libraries(stakkar_core PRIVATE Qt6::Core)|links Qt6::Core
core/CMakeLists.txt|1|qt_add_resources(stakkar_core "texts" FILES LangDef)|qt_add_resources() is Qt's
storage/CMakeLists.txt|1|target_include_directories(stakkar_storage PRIVATE ${PROJECT_SOURCE_DIR}/engine)|target_include_directories() reaches into engine/
server/check/uScoreRecord.h|1|#include "server/store/uResultStore.h"|#include "server/store/uResultStore.h" reaches server/store/uResultStore.h in server/store
server/store/uResultStore.h|1|#include "../pages/uPageParts.h"|#include "../pages/uPageParts.h" reaches server/pages/uPageParts.h in server/pages
server/pages/uPageParts.h|1|#include "server/uScoreJson.h"|#include "server/uScoreJson.h" reaches server/uScoreJson.h in server
server/http/uHttpReply.h|1|#include "server/store/uNotYet.h"|#include "server/store/uNotYet.h" reaches server/store/uNotYet.h in server/store
server/check/uScoreRecord.h|1|#include "uResultStore.h"|#include "uResultStore.h" reaches server/store/uResultStore.h in server/store
server/check/uScoreRecord.h|1|#include <QSqlQuery>|#include <QSqlQuery> needs Qt Sql
server/store/CMakeLists.txt|1|target_link_libraries(stakkar_server_store PRIVATE stakkar_server_pages)|links stakkar_server_pages
server/check/CMakeLists.txt|1|target_link_libraries(stakkar_server_check PRIVATE Qt6::Sql)|links Qt6::Sql, which needs Qt Sql
server/http/CMakeLists.txt|1|target_include_directories(stakkar_server_http PRIVATE ../store)|target_include_directories() reaches into server/store/
server/pages/CMakeLists.txt|1|target_include_directories(stakkar_server_pages PRIVATE ${PROJECT_SOURCE_DIR}/server)|target_include_directories() reaches into server/
EOF

# The map decides: once the widgets' row names look, the widgets may include it.
fresh
sed -i 's/^\(| `widgets\/` (`stakkar_widgets`) | \)storage,/\1look, storage,/' "$tree/README.md"
echo '#include "look/uSkin.h"' >>"$tree/widgets/uLabels.h"
run
[ "$status" = 0 ] || fail "a row that names look lets the widgets include it"

# A map that cannot be read, or that contradicts itself, stops the check instead of passing it.
for edit in 's/| may use |/| uses |/' \
    's/^\(| `storage\/` (`stakkar_storage`) | \)core, platform/\1core, engine/' \
    's/^\(| `look\/` (`stakkar_look`) | \)core,/\1core, sound,/' \
    's/^\(| `core\/` (`stakkar_core`) | \)nothing (no Qt)/\1Qt Core (no Qt)/' \
    's/^| `engine\/` (`stakkar_engine`)/| `engine` (`stakkar_engine`)/'; do
    fresh
    sed -i "$edit" "$tree/README.md"
    cmp -s "$tree/README.md" "$clean/README.md" && fail "the edit $edit leaves the map as it was" && continue
    run
    [ "$status" = 2 ] && grep -q "^check-layers: .*map in README.md" "$work/out" || fail "the map after $edit"
done

if [ "$failures" -gt 0 ]; then
    echo "$failures cases failed"
    exit 1
fi
echo "the layer check refuses every form"
