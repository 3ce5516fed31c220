#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Holds the libraries to the map in README.md ("Layout"): a library's files include only headers of their own
# folder and of the libraries its row names, its CMakeLists names only those libraries, and Qt comes in only as
# far as the rows let it. The allowed sets are read from the table itself, so the map and the check cannot
# drift apart; a table this script cannot read stops it with status 2.
#
#     bash tools/check-layers.sh [ROOT]      ROOT: the tree to check, this repository by default
#
# Qt's headers are found through STAKKAR_QT_HEADERS, else qtpaths6 or qmake6.
set -euo pipefail

root="$(cd "${1:-$(dirname "$0")/..}" && pwd -P)"
die() {
    echo "check-layers: $*" >&2
    exit 2
}
[ -f "$root/README.md" ] || die "no README.md in $root"

# --- The map -------------------------------------------------------------------------------------------------

# The rows of the table under "## Layout" whose header names "folder (library)" and "may use", as
# folder, library and the "may use" cell.
map="$(awk -F'|' '
    function trim(s) { gsub(/^[ \t]+|[ \t]+$/, "", s); return s }
    function fail(why) { print why > "/dev/stderr"; failed = 1; exit 1 }
    /^## / { section = $0; next }
    section != "## Layout" { next }
    !/^\|/ { if (rows) exit; folderColumn = 0; next }
    !folderColumn {
        for (i = 2; i < NF; i++) {
            if (trim($i) == "folder (library)") folderColumn = i
            if (trim($i) == "may use") useColumn = i
        }
        if (!folderColumn || !useColumn) folderColumn = 0
        next
    }
    /^\|[-:| ]+\|$/ { next }
    {
        cell = trim($folderColumn)
        if (cell !~ /^`[a-z0-9_]+(\/[a-z0-9_]+)*\/` \(`[A-Za-z0-9_]+`\)$/) fail("a row names its folder as \"" cell "\"")
        split(cell, part, "`")
        print substr(part[2], 1, length(part[2]) - 1) "\t" part[4] "\t" trim($useColumn)
        rows++
    }
    END { if (!failed && !rows) fail("no table with the columns \"folder (library)\" and \"may use\" under \"## Layout\"") }
' "$root/README.md" 2>&1)" || die "cannot read the map in README.md: $map"

qt_root="${STAKKAR_QT_HEADERS:-$(qtpaths6 --query QT_INSTALL_HEADERS 2>/dev/null || qmake6 -query QT_INSTALL_HEADERS 2>/dev/null || true)}"
[ -d "$qt_root/QtCore" ] || die "cannot find Qt's headers (STAKKAR_QT_HEADERS names the folder holding QtCore/)"

folders=()                # the map's folders, top down
declare -A library        # folder -> its library target
declare -A folder_of      # library target -> folder
declare -A cell_of        # folder -> its "may use" cell
declare -A uses           # folder -> " the folders it may use "
declare -A names_qt       # folder -> " the Qt modules its row names "
declare -A qt             # folder -> " the Qt modules it may use ": its own and those of the libraries it uses
declare -A rule           # folder -> what it may use, in words
declare -A notes          # folder -> its notes "(no X)", one a line
guarded=" "               # the Qt modules some row names: the only ones a row can withhold

trim() {
    local s="$1"
    s="${s#"${s%%[![:space:]]*}"}"
    REPLY="${s%"${s##*[![:space:]]}"}"
}

# Reads one row's "may use" cell: library folders above it, "all of the above", "nothing", "Qt Core, Gui" (the
# words after "Qt X" name Qt modules too), and notes "(no X)", kept for the rest of the row to bear out.
read_row() {
    local folder="$1" cell="${cell_of[$1]}" items item used module libs in_qt=0 above=" "
    for used in "${folders[@]}"; do
        [ "$used" != "$folder" ] || break
        above+="$used "
    done
    uses[$folder]=" " names_qt[$folder]=" " notes[$folder]=""
    while [[ "$cell" =~ \(([^\)]*)\) ]]; do
        notes[$folder]+="${BASH_REMATCH[1]}"$'\n'
        cell="${cell/"${BASH_REMATCH[0]}"/}"
    done
    IFS=',' read -ra items <<<"$cell"
    for item in "${items[@]}"; do
        trim "$item"
        item="$REPLY"
        if [ "$item" = nothing ] && [ "${#items[@]}" -eq 1 ]; then
            :
        elif [ "$item" = "all of the above" ]; then
            uses[$folder]="$above"
            in_qt=0
        elif [[ "$item" =~ ^Qt\ ([A-Z][A-Za-z]*)$ ]] || { [ "$in_qt" = 1 ] && [[ "$item" =~ ^([A-Z][A-Za-z]*)$ ]]; }; then
            module="Qt${BASH_REMATCH[1]}"
            [ -d "$qt_root/$module" ] || die "cannot read the map in README.md: $folder/ uses Qt ${BASH_REMATCH[1]}, which Qt lacks"
            names_qt[$folder]+="$module "
            guarded+="$module "
            in_qt=1
        elif [[ "$above" == *" $item "* ]]; then
            uses[$folder]+="$item "
            in_qt=0
        else
            die "cannot read the map in README.md: \"$item\" in the row of $folder/ is no library above it"
        fi
    done
    qt[$folder]="${names_qt[$folder]}"
    for used in ${uses[$folder]}; do
        for module in ${qt[$used]}; do
            [[ "${qt[$folder]}" == *" $module "* ]] || qt[$folder]+="$module "
        done
    done
    libs="${uses[$folder]# }"
    libs="${libs% }"
    libs="${libs// /, }"
    module="${qt[$folder]# }"
    module="${module% }"
    module="${module//Qt/}"
    module="${module// /, }"
    if [ -n "$libs" ] && [ -n "$module" ]; then
        rule[$folder]="$folder may use only $libs and Qt $module"
    elif [ -n "$libs" ]; then
        rule[$folder]="$folder may use only $libs, no Qt"
    elif [ -n "$module" ]; then
        rule[$folder]="$folder may use only Qt $module"
    else
        rule[$folder]="$folder may use nothing, no Qt either"
    fi
}

# A note "(no X)" must agree with the row: no Qt at all, or neither the library X nor the Qt modules X names.
check_notes() {
    local folder="$1" note module
    while IFS= read -r note; do
        [ -n "$note" ] || continue
        [[ "$note" =~ ^no\ (.+)$ ]] || die "cannot read the map in README.md: the note ($note) of $folder/"
        note="${BASH_REMATCH[1]}"
        if [ "$note" = Qt ]; then
            [ "${qt[$folder]}" = " " ] && continue
        elif [ -n "${library[$note]:-}" ] && [[ "${uses[$folder]}" != *" $note "* ]]; then
            for module in ${names_qt[$note]}; do
                [[ "${qt[$folder]}" != *" $module "* ]] || continue 2
            done
            continue
        fi
        die "the map in README.md contradicts itself: $folder/ says (no $note) and still uses it"
    done <<<"${notes[$folder]}"
}

while IFS=$'\t' read -r folder lib cell; do
    [ -z "${library[$folder]:-}" ] || die "cannot read the map in README.md: $folder/ has two rows"
    library[$folder]="$lib"
    folder_of[$lib]="$folder"
    cell_of[$folder]="$cell"
    folders+=("$folder")
done <<<"$map"
for folder in "${folders[@]}"; do read_row "$folder"; done
for folder in "${folders[@]}"; do check_notes "$folder"; done

# Sets REPLY to the library folder that the path (from the top of the tree) lies in: the deepest of the map's
# folders holding it, so that server/http/x.h is server/http's and server/x.h server's; empty for none.
owner() {
    local folder
    REPLY=""
    for folder in "${folders[@]}"; do
        if [[ "$1" == "$folder" || "$1" == "$folder/"* ]] && [ "${#folder}" -gt "${#REPLY}" ]; then
            REPLY="$folder"
        fi
    done
}

# --- Qt's modules ----------------------------------------------------------------------------------------------

declare -A qt_module       # QtX -> 1
declare -A qt_header       # a header's file name -> " the modules holding it "
declare -A qt_needs        # QtX -> " QtX and every module its headers pull in "
for dir in "$qt_root"/Qt*/; do
    module="${dir%/}"
    module="${module##*/}"
    qt_module[$module]=1
    for file in "$dir"*; do
        [ -f "$file" ] && qt_header[${file##*/}]+=" $module "
    done
done

# A module's headers include its Depends header, which includes the modules it is built on: a folder without
# widgets cannot take a header of Qt OpenGL Widgets either.
needs_of() {
    local module="$1" depends="$qt_root/$1/$1Depends" line base
    [ -z "${qt_needs[$module]:-}" ] || return 0
    qt_needs[$module]=" $module "
    [ -f "$depends" ] || return 0
    while IFS= read -r line; do
        [[ "$line" =~ include\ *[\<](Qt[A-Za-z]+)/ ]] || continue
        base="${BASH_REMATCH[1]}"
        needs_of "$base"
        qt_needs[$module]+="${qt_needs[$base]} "
    done <"$depends"
}
for module in "${!qt_module[@]}"; do needs_of "$module"; done

# Sets REPLY to the guarded modules that Qt module $2 needs and folder $1 may not use.
qt_missing() {
    local module
    REPLY=""
    for module in ${qt_needs[$2]:-$2}; do
        [[ "$guarded" == *" $module "* && "${qt[$1]}" != *" $module "* ]] && REPLY+="${REPLY:+, }${module#Qt}"
    done
    return 0
}

# --- Includes ------------------------------------------------------------------------------------------------

# Every include directive of the C++ files given, spelt any way the preprocessor takes one: # or %:, blanks
# and comments around it, lines spliced with a backslash, include_next and import too. Comments, strings and
# raw strings are stepped over, so text in them is never taken for a directive; directives under #if 0 count.
# Prints the file, the line, the delimiter (" or <; ? for a name made by a macro), the name and the keyword.
includes_awk='
function flush() {
    if (pending) scan(logical, first)
    pending = 0; comment = 0; raw = ""
}
function directive(code, line,    keyword, rest, delim, closer, end) {
    if (!match(code, /^[ \t\f\v]*(#|%:)[ \t\f\v]*(include_next|include|import)/)) return
    rest = substr(code, RSTART + RLENGTH)
    keyword = substr(code, RSTART, RLENGTH)
    sub(/^[ \t\f\v]*(#|%:)[ \t\f\v]*/, "", keyword)
    if (rest ~ /^[A-Za-z0-9_]/) return
    sub(/^[ \t\f\v]+/, "", rest)
    delim = substr(rest, 1, 1)
    closer = delim == "<" ? ">" : "\""
    end = index(substr(rest, 2), closer)
    if ((delim == "\"" || delim == "<") && end) {
        print file "\t" line "\t" delim "\t" substr(rest, 2, end - 1) "\t" keyword
    } else {
        sub(/[ \t\f\v]+$/, "", rest)
        print file "\t" line "\t?\t" rest "\t" keyword
    }
}
# The end of the literal that opens at s[i], or the end of the line when it does not close.
function literal_end(s, i, closer,    n, c) {
    n = length(s)
    for (i++; i <= n; i++) {
        c = substr(s, i, 1)
        if (c == "\\") i++
        else if (c == closer) return i
    }
    return n
}
function scan(s, line,    n, i, j, open, closer, c, code, at_start, delim) {
    n = length(s); i = 1; code = ""
    at_start = !comment && raw == ""
    if (raw != "") {
        j = index(s, raw)
        if (!j) return
        i = j + length(raw); raw = ""
    }
    while (i <= n) {
        if (comment) {
            j = index(substr(s, i), "*/")
            if (!j) break
            i += j + 1; comment = 0; code = code " "
            continue
        }
        c = substr(s, i, 1)
        if (substr(s, i, 2) == "//") break
        if (substr(s, i, 2) == "/*") { comment = 1; i += 2; continue }
        open = index(substr(s, i + 1), "(")
        if (c == "\"" && open && code ~ /(^|[^A-Za-z0-9_])(u8|u|U|L)?R$/) {
            delim = ")" substr(s, i + 1, open - 1) "\""
            code = code "\"\""
            closer = index(substr(s, i + open + 1), delim)
            if (!closer) { raw = delim; break }
            i += open + closer + length(delim)
            continue
        }
        if (c == "<" && code ~ /^[ \t\f\v]*(#|%:)[ \t\f\v]*(include_next|include|import)[ \t\f\v]*$/) {
            j = index(substr(s, i), ">")
            if (!j) j = n - i + 1
            code = code substr(s, i, j); i += j
            continue
        }
        # A quote inside a number separates its digits.
        if (c == "\"" || (c == q && code !~ number)) {
            j = literal_end(s, i, c)
            code = code substr(s, i, j - i + 1); i = j + 1
            continue
        }
        code = code c; i++
    }
    if (at_start) directive(code, line)
}
BEGIN { number = "(^|[^A-Za-z0-9_.])[.]?[0-9][0-9A-Za-z_." q "]*$" }
FNR == 1 { flush(); file = FILENAME }
{
    text = $0
    sub(/\r$/, "", text)
    if (!pending) { first = FNR; logical = "" }
    pending = 1
    if (text ~ /\\$/) { logical = logical substr(text, 1, length(text) - 1); next }
    logical = logical text
    scan(logical, first)
    pending = 0
}
END { flush() }
'

# Folds . and .. out of an absolute path, as the file system would without links.
normalize() {
    local part parts out=()
    IFS=/ read -ra parts <<<"$1"
    for part in "${parts[@]}"; do
        case "$part" in
        "" | .) ;;
        ..) [ "${#out[@]}" -eq 0 ] || unset 'out[-1]' ;;
        *) out+=("$part") ;;
        esac
    done
    local IFS=/
    REPLY="/${out[*]}"
}

# The headers of every library folder by their bare names, for a name that only another folder could supply.
declare -A bare
sources=()
for folder in "${folders[@]}"; do
    [ -d "$root/$folder" ] || die "the map in README.md names $folder/, which $root lacks"
    while IFS= read -r -d '' file; do
        file="${file#"$root/"}"
        owner "$file"
        [ "$REPLY" = "$folder" ] || continue
        bare[${file##*/}]+="$file "
        case "$file" in
        *.c | *.cc | *.cpp | *.cxx | *.c++ | *.h | *.hh | *.hpp | *.hxx | *.h++ | *.inl | *.ipp | *.tpp | *.inc) sources+=("$file") ;;
        esac
    done < <(find "$root/$folder" -type f -print0 | sort -z)
done

faults=0
fault() {
    echo "$1"
    faults=$((faults + 1))
}

# Sets REPLY to the files of the tree that the include names: the file the preprocessor finds first (beside
# the including file for quotes, then from the top of the tree, where every library's include root is), else the
# place its spelling points to, else, for a bare name, every library header of that name.
resolve() {
    local file="$1" delim="$2" name="$3" candidates=() candidate
    [[ "$name" == /* ]] && candidates+=("$name")
    [ "$delim" = '"' ] && candidates+=("$root/${file%/*}/$name")
    candidates+=("$root/$name")
    for candidate in "${candidates[@]}"; do
        normalize "$candidate"
        if [ -f "$REPLY" ] && [[ "$REPLY" == "$root/"* ]]; then
            REPLY="${REPLY#"$root/"}"
            return
        fi
    done
    if [[ "$name" == /* ]]; then
        normalize "$name"
    elif [ "$delim" = '"' ] && [[ "$name" == ./* || "$name" == ../* ]]; then
        normalize "$root/${file%/*}/$name"
    else
        normalize "$root/$name"
    fi
    candidate="${REPLY#"$root/"}"
    owner "$candidate"
    if [[ "$candidate" == */* && -n "$REPLY" && "$candidate" != "$REPLY" ]]; then
        REPLY="$candidate"
    elif [[ "$name" == */* ]]; then
        REPLY=""
    else
        REPLY="${bare[$name]:-}"
    fi
}

while IFS=$'\t' read -r file line delim name keyword; do
    owner "$file"
    own="$REPLY"
    if [ "$delim" = '?' ]; then
        shown="#$keyword $name"
        fault "$file:$line: $shown names its header through a macro the check cannot follow, but ${rule[$own]}"
        continue
    fi
    [ "$delim" = '<' ] && shown="#$keyword <$name>" || shown="#$keyword \"$name\""
    resolve "$file" "$delim" "$name"
    if [ -n "$REPLY" ]; then
        for target in $REPLY; do
            owner "$target"
            folder="$REPLY"
            [ "$folder" != "$own" ] || continue
            [[ "${uses[$own]}" != *" $folder "* ]] || continue
            if [ -n "$folder" ]; then
                fault "$file:$line: $shown reaches $target in $folder, but ${rule[$own]}"
            else
                fault "$file:$line: $shown reaches $target outside the libraries, but ${rule[$own]}"
            fi
        done
        continue
    fi
    modules=""
    IFS=/ read -ra parts <<<"$name"
    for part in "${parts[@]}"; do
        [ -z "${qt_module[$part]:-}" ] || modules="$part"
    done
    [ -n "$modules" ] || [[ "$name" == */* ]] || modules="${qt_header[$name]:-}"
    [ -n "$modules" ] || continue
    if [ "${qt[$own]}" = " " ]; then
        fault "$file:$line: $shown is Qt, but ${rule[$own]}"
        continue
    fi
    # A name two modules hold (qaction.h is in Gui and, for old code, in Widgets) is fine if either will do.
    missing=""
    for module in $modules; do
        qt_missing "$own" "$module"
        [ -n "$REPLY" ] || continue 2
        missing="$REPLY"
    done
    fault "$file:$line: $shown needs Qt $missing, but ${rule[$own]}"
done < <([ "${#sources[@]}" -eq 0 ] || (cd "$root" && awk -v q="'" "$includes_awk" "${sources[@]}"))

# --- CMake -----------------------------------------------------------------------------------------------------

# Every command of a CMakeLists with the words in it that can tie a folder to another: stakkar_ targets, Qt
# targets and paths climbing into a folder (../x, ../../x/y, ${...}/x/y; those of ${...} from the top of the tree,
# the others from the CMakeLists' own folder). Comments, bracket comments included, are dropped.
# Prints the line, the command in lower case, its first argument and the word; a command ends with a line of
# its own, the word empty.
cmake_awk='
function emit(word) { print line "\t" command "\t" first "\t" word }
function words(s,    w) {
    while (match(s, /stakkar_[A-Za-z0-9_]+|Qt[0-9]*::[A-Za-z0-9_]+|((\.\.\/)*\.\.|\})(\/[A-Za-z0-9_]+)+/)) {
        w = substr(s, RSTART, RLENGTH)
        sub(/^\}\//, "/", w)
        emit(w)
        s = substr(s, RSTART + RLENGTH)
    }
}
{
    s = $0; line = NR
    while (s != "") {
        if (bracket != "") {
            j = index(s, bracket)
            if (!j) { if (depth && !in_comment) words(s); s = ""; break }
            if (depth && !in_comment) words(substr(s, 1, j - 1))
            s = substr(s, j + length(bracket)); bracket = ""; in_comment = 0
            continue
        }
        if (quoted) {
            if (!match(s, /(^|[^\\])"/)) { words(s); s = ""; break }
            j = RSTART + RLENGTH
            words(substr(s, 1, j - 2)); s = substr(s, j); quoted = 0
            continue
        }
        if (match(s, /^#?\[=*\[/)) {
            in_comment = substr(s, 1, 1) == "#"
            j = RLENGTH
            bracket = substr(s, 1 + in_comment, j - in_comment)
            gsub(/\[/, "]", bracket)
            s = substr(s, j + 1)
            continue
        }
        c = substr(s, 1, 1)
        if (c == "#") break
        if (!depth) {
            if (match(s, /^[A-Za-z_][A-Za-z0-9_]*[ \t]*\(/)) {
                command = tolower(substr(s, 1, RLENGTH - 1)); sub(/[ \t]+$/, "", command)
                first = ""; depth = 1; want_first = 1; start = line
                s = substr(s, RLENGTH + 1)
                continue
            }
            s = substr(s, 2)
            continue
        }
        if (c == "\"") { quoted = 1; s = substr(s, 2); continue }
        if (c == "(") depth++
        else if (c == ")" && !--depth) print start "\t" command "\t" first "\t"
        if (match(s, /^[^ \t()#"]+/)) {
            j = RLENGTH
            if (want_first) { first = substr(s, 1, j); want_first = 0 }
            words(substr(s, 1, j)); s = substr(s, j + 1)
            continue
        }
        s = substr(s, 2)
    }
}
'

resources="${library[resources]:-}"
for folder in "${folders[@]}"; do
    while IFS= read -r -d '' cmake_file; do
        owner "${cmake_file#"$root/"}"
        [ "$REPLY" = "$folder" ] || continue
        records="$(awk "$cmake_awk" "$cmake_file")"
        cmake_file="${cmake_file#"$root/"}"
        programs=" "
        while IFS=$'\t' read -r line command first word; do
            [ "$command" != add_executable ] || programs+="$first "
        done <<<"$records"
        while IFS=$'\t' read -r line command first word; do
            [ -n "$line" ] || continue
            if [ -z "$word" ]; then
                if [ "${qt[$folder]}" = " " ] && [[ "$command" == qt_* || "$command" == qt6_* ]]; then
                    fault "$cmake_file:$line: $command() is Qt's, but ${rule[$folder]}"
                fi
                continue
            fi
            what="$command() names $word"
            [ "$command" != target_link_libraries ] && [ "$command" != link_libraries ] || what="links $word"
            case "$word" in
            stakkar_*)
                target="${folder_of[$word]:-}"
                [ -n "$target" ] && [ "$target" != "$folder" ] || continue
                [[ "${uses[$folder]}" != *" $target "* ]] || continue
                # The programs link the built-in resources, which the libraries only read by name.
                [[ "$word" == "$resources" && "$command" == target_link_libraries && "$programs" == *" $first "* ]] && continue
                fault "$cmake_file:$line: $what, but ${rule[$folder]}"
                ;;
            Qt*::*)
                module="Qt${word#*::}"
                module="${module%Private}"
                if [ "${qt[$folder]}" = " " ]; then
                    fault "$cmake_file:$line: $what, but ${rule[$folder]}"
                    continue
                fi
                qt_missing "$folder" "$module"
                [ -z "$REPLY" ] || fault "$cmake_file:$line: $what, which needs Qt $REPLY, but ${rule[$folder]}"
                ;;
            /* | ../*)
                if [[ "$word" == /* ]]; then
                    normalize "$root$word"
                else
                    normalize "$root/${cmake_file%/*}/$word"
                fi
                owner "${REPLY#"$root/"}"
                target="$REPLY"
                [ -n "$target" ] && [ "$target" != "$folder" ] || continue
                [[ "${uses[$folder]}" != *" $target "* ]] || continue
                fault "$cmake_file:$line: $command() reaches into $target/, but ${rule[$folder]}"
                ;;
            esac
        done <<<"$records"
    done < <(find "$root/$folder" -type f \( -name CMakeLists.txt -o -name '*.cmake' \) -print0 | sort -z)
done

if [ "$faults" -gt 0 ]; then
    echo "$faults includes and links break the map in README.md"
    exit 1
fi
echo "every include and link runs downward"
