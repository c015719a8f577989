#!/usr/bin/env bash
# Where the game's start-up goes, against the bare Qt window: each program is
# run up to its first full frame (bench/profile_startup.py) in a private X
# session, in C.UTF-8, with a fresh configuration folder, several ways:
#   smaps      the files mapped 0.5 s after the frame, and the memory of each
#              mapping (libraries, fonts, heap)
#   plugins    QT_DEBUG_PLUGINS=1: the Qt plugins looked for and loaded
#   strace-c   strace -c -f: system calls, counted
#   strace     strace -f -ttt -T: files opened, connections, with times
#   callgrind  valgrind --tool=callgrind, dumped at the first full frame:
#              instructions by function (callgrind_annotate --inclusive=yes)
#   perf       20 interleaved starts each: wall time and CPU time (schedstat)
#              to the first full frame, and perf stat's software events
#              (this machine has no hardware counters) from start to exit
#   bench/profile-startup.sh [BUILD_DIR] [OUT_DIR]
# OUT_DIR (default BUILD_DIR/startup-profile) receives the raw files and a
# summary.txt; bench/STARTUP-PROFILE.md says what they show.
set -euo pipefail
cd "$(dirname "$0")/.."
here=$PWD/bench
build=${1:-build}
case $build in /*) ;; *) build=$PWD/$build ;; esac
out=${2:-$build/startup-profile}
case $out in /*) ;; *) out=$PWD/$out ;; esac
export LANG=C.UTF-8 LC_ALL=C.UTF-8
unset LANGUAGE

if [ -z "${PROFILE_IN_SESSION:-}" ]; then
    "$here/install-peer.sh"
    for tool in strace valgrind perf; do
        command -v "$tool" >/dev/null || { echo "profile-startup.sh needs $tool" >&2; exit 2; }
    done
    cmake --build "$build" -j 2 --target taviq-game bench_baseline >/dev/null
    rm -rf "$out"
    mkdir -p "$out"
    # A session bus that knows no services (as for the benchmarks).
    PROFILE_IN_SESSION=1 dbus-run-session --config-file="$(dirname "$0")/session-bus.conf" -- bash "$0" "$build" "$out" \
        2> >(grep -v 'Failed to set fd limit' >&2)
    echo "Raw files and summary.txt in $out"
    exit 0
fi

# shellcheck source=../tests/e2e/x_session.sh
source "$here/../tests/e2e/x_session.sh"
start_x_session 200 209
unset QT_LINUX_ACCESSIBILITY_ALWAYS_ON QT_ACCESSIBILITY AT_SPI_BUS_ADDRESS
export QT_QPA_PLATFORM=xcb

run() { # NAME TITLE NUMBERS KIND [options] -- COMMAND...
    local name=$1 title=$2 numbers=$3 kind=$4
    shift 4
    local options=()
    while [ "$1" != "--" ]; do options+=("$1"); shift; done
    shift
    XDG_CONFIG_HOME=$(mktemp -d -p "$work") \
        /usr/bin/python3 "$here/profile_startup.py" "${options[@]}" "$title" "$numbers" -- "$@" \
        >"$out/$name.$kind.out" 2>"$out/$name.$kind.err"
}

for entry in "game:Game:15:$build/taviq-game" "baseline:Baseline:16:$build/bench/baseline/bench_baseline"; do
    IFS=: read -r name title numbers program <<<"$entry"
    echo "Profiling $name" >&2
    # Warm the page cache first.
    run "$name" "$title" "$numbers" warm -- "$program"
    run "$name" "$title" "$numbers" smaps --smaps "$out/$name.smaps" -- "$program"
    QT_DEBUG_PLUGINS=1 run "$name" "$title" "$numbers" plugins -- "$program"
    run "$name" "$title" "$numbers" strace-c -- strace -f -c -o "$out/$name.strace-c" "$program"
    run "$name" "$title" "$numbers" strace -- strace -f -ttt -T -o "$out/$name.strace" \
        -e trace=execve,openat,connect,mmap,read,write,writev,sendmsg,recvmsg,poll,ppoll "$program"
    run "$name" "$title" "$numbers" callgrind --callgrind-dump -- \
        valgrind --tool=callgrind --callgrind-out-file="$out/$name.callgrind" "$program"
done
echo "perf stat, interleaved" >&2
for _ in $(seq 1 20); do
    for entry in "game:Game:15:$build/taviq-game" "baseline:Baseline:16:$build/bench/baseline/bench_baseline"; do
        IFS=: read -r name title numbers program <<<"$entry"
        run "$name" "$title" "$numbers" perf -- perf stat -x, -e task-clock,page-faults,context-switches \
            -o "$out/$name.perf.tmp" "$program"
        cat "$out/$name.perf.tmp" >>"$out/$name.perf"
        cat "$out/$name.perf.out" >>"$out/$name.frames"
    done
done
rm -f "$out"/*.perf.tmp

/usr/bin/python3 - "$out" >"$out/summary.txt" <<'PY'
import collections, glob, os, re, statistics, subprocess, sys
out = sys.argv[1]

def files(name, pattern):
    result = set()
    for line in open(os.path.join(out, name + ".smaps")):
        parts = line.split()
        if len(parts) >= 6 and "-" in parts[0] and re.search(pattern, parts[5]):
            result.add(parts[5])
    return result

print("== Libraries mapped at the first full frame ==")
for kind, pattern in (("shared libraries", r"\.so"), ("fonts", r"\.(ttf|otf|pfb|ttc)$"),
                      ("other files", r"^/(?!.*\.so)(?!.*\.(ttf|otf|ttc)$)")):
    game, base = files("game", pattern), files("baseline", pattern)
    print("%s: game %d, baseline %d" % (kind, len(game), len(base)))
    for f in sorted(game - base):
        print("  game only:     " + f)
    for f in sorted(base - game):
        print("  baseline only: " + f)

print()
print("== Memory by mapping 0.5 s after the first full frame (smaps), game - baseline ==")

def memory(name):
    totals = collections.defaultdict(lambda: [0, 0])
    current = None
    for line in open(os.path.join(out, name + ".smaps")):
        parts = line.split()
        if parts and "-" in parts[0] and len(parts) >= 5:
            path = parts[5] if len(parts) >= 6 else "[anonymous]"
            if path.endswith(("/taviq-game", "/bench_baseline")):
                path = "(the program)"
            current = totals[path]
        elif parts and parts[0] == "Rss:":
            current[0] += int(parts[1])
        elif parts and parts[0] == "Private_Dirty:":
            current[1] += int(parts[1])
    return totals

game, base = memory("game"), memory("baseline")
print("RSS %d kB vs %d kB, private dirty %d kB vs %d kB" % (
    sum(v[0] for v in game.values()), sum(v[0] for v in base.values()),
    sum(v[1] for v in game.values()), sum(v[1] for v in base.values())))
rows = sorted(set(game) | set(base), key=lambda p: -abs(game[p][0] - base[p][0]))
for path in rows[:12]:
    g, b = game[path], base[path]
    if g != b:
        print("  %-70s RSS %+6d kB  private dirty %+6d kB" % (path[-70:], g[0] - b[0], g[1] - b[1]))

print()
print("== Plugins loaded (QT_DEBUG_PLUGINS) ==")
for name in ("game", "baseline"):
    loaded = sorted(set(re.findall(r'"([^"]+)" loaded library', open(os.path.join(out, name + ".plugins.err")).read())))
    print("%s: %s" % (name, ", ".join(os.path.basename(p) for p in loaded) or "none"))

print()
print("== System calls (strace -c -f), totals ==")
for name in ("game", "baseline"):
    text = open(os.path.join(out, name + ".strace-c")).read()
    total = re.search(r"^100\.00\s+(\S+)\s+\S+\s+(\d+)\s+(\d*)\s*total", text, re.M)
    rows = re.findall(r"^\s*[\d.]+\s+[\d.]+\s+\d+\s+(\d+)\s+(?:\d+\s+)?(\w+)$", text, re.M)
    top = sorted(((int(c), s) for c, s in rows), reverse=True)[:8]
    print("%s: %s calls; most: %s" % (name, total.group(2) if total else "?",
                                     ", ".join("%s %d" % (s, c) for c, s in top)))

print()
print("== Files opened (strace), by kind ==")
for name in ("game", "baseline"):
    opened = collections.Counter()
    for line in open(os.path.join(out, name + ".strace")):
        m = re.search(r'openat\(AT_FDCWD, "([^"]+)".*= (-?\d+)', line)
        if not m:
            continue
        path, fd = m.group(1), int(m.group(2))
        kind = ("font" if re.search(r"\.(ttf|otf|ttc|pfb)$", path) else
                "fontconfig" if "fontconfig" in path else
                "library" if ".so" in path else
                "icon/theme" if "icon" in path else
                "settings" if "taviq" in path else "other")
        opened[(kind, "ok" if fd >= 0 else "failed")] += 1
    print("%s: %s" % (name, ", ".join("%s %s %d" % (k, s, c) for (k, s), c in sorted(opened.items()))))

print()
print("== 20 interleaved starts each (medians) ==")
for name in ("game", "baseline"):
    values = collections.defaultdict(list)
    for line in open(os.path.join(out, name + ".perf")):
        parts = line.strip().split(",")
        if len(parts) > 3 and parts[0] and parts[0][0].isdigit():
            values[parts[2]].append(float(parts[0]))
    text = open(os.path.join(out, name + ".frames")).read()
    frames = [float(m) for m in re.findall(r"frame ([\d.]+) ms", text)]
    cpu = [float(m) for m in re.findall(r"CPU ([\d.]+) ms", text)]
    print("%s: first full frame %.1f ms, CPU by then %.1f ms; from start to exit: %s" % (
        name, statistics.median(frames), statistics.median(cpu),
        ", ".join("%s %.1f" % (k, statistics.median(v)) for k, v in sorted(values.items()))))

print()
print("== Instructions to the first full frame (callgrind) ==")
for name in ("game", "baseline"):
    dumps = sorted(glob.glob(os.path.join(out, name + ".callgrind.*")))
    dump = next((d for d in dumps if re.search(r"\.\d+$", d)), None)
    if not dump:
        print("%s: no dump" % name)
        continue
    text = subprocess.run(["callgrind_annotate", "--inclusive=yes", "--threshold=100", dump],
                          capture_output=True, text=True).stdout
    open(os.path.join(out, name + ".callgrind.txt"), "w").write(text)
    total = re.search(r"^([\d,]+)\s+\(100\.0%\)\s+PROGRAM TOTALS", text, re.M)
    print("%s: %s instructions (annotated in %s.callgrind.txt)" % (name, total.group(1) if total else "?", name))


def self_cost(path):
    """Instructions spent in each library and in each function (self cost)."""
    names = {"ob": {}, "fn": {}}
    per_object, per_function = collections.Counter(), collections.Counter()
    ob = fn = "?"
    skip = False

    def name(kind, value):
        m = re.match(r"\((\d+)\)(?:\s+(.*))?", value)
        if not m:
            return value
        if m.group(2):
            names[kind][m.group(1)] = m.group(2)
        return names[kind].get(m.group(1), "?")

    for line in open(path):
        if skip:
            skip = False
            continue
        if line.startswith("ob="):
            ob = os.path.basename(name("ob", line[3:].strip()))
        elif line.startswith("fn="):
            fn = name("fn", line[3:].strip())
        elif line.startswith(("cob=", "cfn=")):
            name(line[1:3], line[4:].strip())
        elif line.startswith("calls="):
            skip = True
        elif line[:1].isdigit() or line[:1] in "+-*":
            parts = line.split()
            if len(parts) >= 2:
                per_object[ob] += int(parts[1])
                per_function[(ob, fn)] += int(parts[1])
    for key in ("taviq-game", "bench_baseline"):
        if key in per_object:
            per_object["(the program)"] = per_object.pop(key)
    return per_object, per_function


dumps = {}
for name in ("game", "baseline"):
    found = [d for d in sorted(glob.glob(os.path.join(out, name + ".callgrind.*"))) if re.search(r"\.\d+$", d)]
    if found:
        dumps[name] = self_cost(found[0])
if len(dumps) == 2:
    (game, game_fn), (base, base_fn) = dumps["game"], dumps["baseline"]
    print()
    print("== Instructions by library (self cost), game - baseline ==")
    for library in sorted(set(game) | set(base), key=lambda o: -(game[o] - base[o])):
        if abs(game[library] - base[library]) > 50000:
            print("  %-34s %12d %12d %+12d" % (library, game[library], base[library], game[library] - base[library]))

print()
print("== Inclusive instructions of selected functions (game / baseline) ==")
wanted = ["main", "installFontSubstitutes()", "frmMain::frmMain(", "frmMain::buildLayout()",
          "frmMain::buildMenus()", "QGroupBox::setTitle(", "fitFontToBox(", "QXcbWindow::setWindowIcon(",
          "gameIconImage(", "Form_Load(", "Form_Activate(", "GameState::newGame()", "frmMain::progressChanged()",
          "frmMain::event(", "frmMain::render()", "QFontDatabasePrivate::load(",
          "QFontDatabasePrivate::ensureFontDatabase()", "QFontconfigDatabase::fallbacksForFamily(",
          "QApplication::QApplication(", "QApplication::exec()", "QWidget::show()", "QMainWindow::menuBar()",
          "QMainWindow::statusBar()", "QPixmapIconEngine::addFile("]
costs = {}
for name in ("game", "baseline"):
    path = os.path.join(out, name + ".callgrind.txt")
    if not os.path.exists(path):
        continue
    for line in open(path):
        m = re.match(r"\s*([\d,]+) \([ \d.]+%\)\s+(\S.*\[.*\])\s*$", line)
        if not m:
            continue
        for function in wanted:
            label = m.group(2).split(":", 1)[-1]
            if (label.startswith(function) or (function == "main" and label.startswith("main ["))) \
                    and (name, function) not in costs:
                costs[(name, function)] = int(m.group(1).replace(",", ""))
for function in wanted:
    print("  %-46s %12s %12s" % (function, "{:,}".format(costs[("game", function)]) if ("game", function) in costs else "-",
                                 "{:,}".format(costs[("baseline", function)]) if ("baseline", function) in costs else "-"))
PY
cat "$out/summary.txt"
