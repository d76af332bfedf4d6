#!/usr/bin/env python3
"""Every program path that the README, the scripts and the bench notes name is
one the build writes, so that no command a newcomer copies names a file that is
not there. Each configuration named is configured (not built), CMake's file API
giving its targets' outputs; a configuration already built must hold them.
    paths_test.py ROOT BUILD_ROOT"""
import fnmatch, glob, json, os, re, subprocess, sys, tempfile

CONFIGS = "native|native-release|fuzz|win64|win32|release-win64|release-win32"
# build/CONFIG/PATH, also as $build/ or ${build}/; a folder (ending in /) is a test's output.
NAMED = re.compile(r"(?:\$\{build\}|\$build|\bbuild)/(" + CONFIGS + r")/([A-Za-z0-9_.*/-]*[A-Za-z0-9_*])(?![A-Za-z0-9_/-]|\.[A-Za-z0-9])")
# The screenshot script's $build is a win64 build folder (its argument).
BUILD_IS_WIN64 = re.compile(r"\$build/([A-Za-z0-9_./-]+\.exe)")
BENCH = re.compile(r"\b([a-z_]+_bench)(?:\.exe)?\b")


def named_paths(root):
    """(file, config, path) for every build output named."""
    sources = ["README.md"] + sorted(
        os.path.relpath(p, root) for p in glob.glob(f"{root}/scripts/*.sh") + glob.glob(f"{root}/bench/*")
        if not p.endswith(".cpp") and not p.endswith(".h"))
    found = []
    for source in sources:
        text = open(os.path.join(root, source), encoding="utf-8").read()
        found += [(source, config, path) for config, path in NAMED.findall(text)]
        if source == "scripts/screenshots.sh":
            found += [(source, "win64", path) for path in BUILD_IS_WIN64.findall(text)]
    return found


def outputs(root, build_root, config, scratch):
    """The files a configuration's build writes, relative to its folder, and the folder."""
    folder = os.path.join(build_root, config)
    if not os.path.exists(os.path.join(folder, "CMakeCache.txt")):
        folder = os.path.join(scratch, config)
    query = os.path.join(folder, ".cmake", "api", "v1", "query")
    os.makedirs(query, exist_ok=True)
    open(os.path.join(query, "codemodel-v2"), "w").close()
    subprocess.run(["bash", os.path.join(root, "scripts", "build.sh"), config, "--configure"], check=True,
                   env=dict(os.environ, LINKHIVE_BUILD_DIR=os.path.dirname(folder)))
    reply = os.path.join(folder, ".cmake", "api", "v1", "reply")
    index = json.load(open(max(glob.glob(os.path.join(reply, "index-*.json")))))
    model = json.load(open(os.path.join(reply, index["reply"]["codemodel-v2"]["jsonFile"])))
    files, targets = set(), set()
    for target in model["configurations"][0]["targets"]:
        detail = json.load(open(os.path.join(reply, target["jsonFile"])))
        targets.add(detail["name"])
        files.update(a["path"] for a in detail.get("artifacts", []))
    return folder, files, targets


def main():
    root, build_root = sys.argv[1], os.path.abspath(sys.argv[2])
    paths = named_paths(root)
    problems, checked = [], 0
    with tempfile.TemporaryDirectory() as scratch:
        configs = {}
        for config in sorted({c for _, c, _ in paths} | {"win64", "native-release"}):
            configs[config] = outputs(root, build_root, config, scratch)
        for source, config, path in paths:
            folder, files, _ = configs[config]
            built = folder.startswith(build_root)
            matches = [f for f in files if fnmatch.fnmatch(f, path)]
            if not matches and os.path.exists(os.path.join(folder, path)):
                matches = [path]  # written when configured
            if not matches:
                problems.append(f"{source}: build/{config}/{path} is no output of the {config} build")
            elif built and not all(os.path.exists(os.path.join(folder, f)) for f in matches):
                problems.append(f"{source}: build/{config}/{path} is missing after the {config} build")
            checked += 1
        benches = configs["native-release"][2] | configs["win64"][2]
        readme = open(os.path.join(root, "README.md"), encoding="utf-8").read()
        for bench in sorted(set(BENCH.findall(readme))):
            if bench not in benches and not os.path.exists(os.path.join(root, "bench", bench + ".sh")):
                problems.append(f"README.md: {bench} is no benchmark the builds make")
            checked += 1
    for problem in problems:
        print(problem)
    print(f"paths_test: {checked} paths and benchmarks checked, {len(problems)} wrong")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
