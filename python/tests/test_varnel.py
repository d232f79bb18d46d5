"""Tests of the Python module varnel, run by ctest on the module just built (PYTHONPATH), with
the varnel command of the same build (VARNEL_BINARY) to compare against."""

import json
import os
import random
import signal
import subprocess
import threading
import time

import pytest

import varnel

VARNEL = os.environ.get("VARNEL_BINARY", "varnel")
DATA = os.environ.get("VARNEL_TEST_DATA", os.path.join(os.path.dirname(__file__), "..", "..", "tests"))
GOLDEN = os.path.join(DATA, "golden")

# A made 6 x 6 puzzle of level 1 in four of its forms.
GAME_ID = "6x6t0:a3a22b3a3d13a33d3b3a3a21c1"
URL = "https://puzz.link/p?slither/6/6/g82c8dh183dhd882bgb"
COMPACT = "1/6/6/.3.22./.3.3../..13.3/3....3/..3.3./21...1/\n"
GRID = ".3.22.\n.3.3..\n..13.3\n3....3\n..3.3.\n21...1\n"


def run(*args, stdin=None):
    return subprocess.run([VARNEL, *args], input=stdin, capture_output=True, text=True, check=False)


def test_every_input_form_reads_the_same_puzzle():
    puzzles = [varnel.Puzzle.parse(text) for text in (GAME_ID, URL, COMPACT, GRID)]
    assert all(p == puzzles[0] for p in puzzles)
    p = puzzles[2]
    assert (p.width, p.height, p.level) == (6, 6, 1)
    assert puzzles[0].level is None
    assert p.clues[0] == [None, 3, None, 2, 2, None]
    assert p.clues[5][:2] == [2, 1]
    assert p.to() == COMPACT
    assert p.to("url") == URL + "\n"
    assert p.to("loopy") == GAME_ID + "\n"
    assert p.to("grid") == GRID
    assert varnel.Puzzle(p.clues, level=1) == p
    assert varnel.Puzzle(p.clues, level=1).to() == COMPACT
    assert "6x6" in repr(p)
    several = varnel.Puzzle.parse_all("# two\n" + GAME_ID + "\n" + URL + "\n")
    assert len(several) == 2 and several[1].line == 3


def test_errors_raise_value_error_with_their_place():
    with pytest.raises(ValueError, match=r"^<text>:1:7: clue 4"):
        varnel.Puzzle.parse("3x3t0:4h")
    with pytest.raises(ValueError, match=r"^mine:2:3: '9' is not a clue"):
        varnel.Puzzle.parse("1.3\n..9\n", source="mine")
    with pytest.raises(ValueError, match="holds 2 puzzles"):
        varnel.Puzzle.parse(GAME_ID + "\n" + URL)
    with pytest.raises(ValueError, match="row 2 has 1 cells"):
        varnel.Puzzle([[1, 2], [3]])
    with pytest.raises(ValueError, match="clue 4"):
        varnel.Puzzle([[4]])
    with pytest.raises(ValueError, match="unknown form"):
        varnel.Puzzle.parse(GAME_ID).to("pdf")
    with pytest.raises(ValueError, match="at least 3"):
        varnel.make(2, 9, seed=1)
    with pytest.raises(ValueError, match=r"no 7x7 problem of levels 3-4 in 5 tries"):
        varnel.make(7, 7, count=2, seed=11, level="3-4", max_tries=5)
    with pytest.raises(ValueError, match=r"^<answer>:2:3: "):
        varnel.verify(varnel.Puzzle.parse(GAME_ID), "#.....\n##x...\n")


def test_difficulty_errors_are_varnel_makes():
    for difficulty, option in (("tough", "tough"), (6, "6"), (("hard", "easy"), "hard-easy"), ("hard-", "hard-")):
        command = run("make", "--size", "10x10", "--count", "0", "--difficulties", option)
        assert command.returncode == 2
        message = command.stderr.splitlines()[0].removeprefix("varnel make: --difficulties: ")
        with pytest.raises(ValueError) as error:
            varnel.make(10, 10, count=0, seed=1, difficulty=difficulty)
        assert str(error.value) == message
    with pytest.raises(ValueError, match="not both"):
        varnel.make(10, 10, seed=1, level=2, difficulty="easy")
    # A difficulty the board cannot reach: the command's message, word for word.
    command = run("make", "--size", "3x3", "--count", "3", "--seed", "1", "--difficulty", "extreme", "--max-tries", "5")
    assert command.returncode == 3
    with pytest.raises(ValueError) as error:
        varnel.make(3, 3, count=3, seed=1, difficulty="extreme", max_tries=5)
    assert "varnel make: " + str(error.value) + "\n" == command.stderr


RANKS = ["easy", "medium", "hard", "expert", "extreme"]


def difficulties_asked(command):
    """The ranks (lowest, highest) a varnel make command line asks for, None when it asks none."""
    for option in ("--difficulty", "--difficulties"):
        if option in command:
            ends = command[command.index(option) + 1].split("-")
            ranks = [int(end) if end.isdigit() else RANKS.index(end) + 1 for end in ends]
            return ranks[0], ranks[-1]
    return None


MAKE_CASES = [
    (dict(width=10, height=10, count=200, seed=7), ["--size", "10x10", "--count", "200", "--seed", "7"]),
    (
        dict(width=7, height=7, count=8, seed=3, first=5, level=(1, 2), jobs=2),
        ["--size", "7x7", "--count", "8", "--seed", "3", "--first", "5", "--levels", "1-2", "--jobs", "2"],
    ),
    (dict(width=9, height=13, count=4, seed=11, level=3), ["--size", "9x13", "--count", "4", "--seed", "11", "--level", "3"]),
    (dict(width=12, height=12, count=3, seed=5, builder="region"), ["--size", "12x12", "--count", "3", "--seed", "5", "--builder", "region"]),
    (
        dict(width=10, height=10, count=100, seed=7, first=0, difficulty="hard", jobs=0),
        ["--size", "10x10", "--count", "100", "--seed", "7", "--difficulty", "hard"],
    ),
    (
        dict(width=9, height=11, count=6, seed=2, first=3, difficulty=("easy", 2), jobs=2),
        ["--size", "9x11", "--count", "6", "--seed", "2", "--first", "3", "--difficulties", "easy-medium", "--jobs", "2"],
    ),
    (dict(width=8, height=8, count=5, seed=3, difficulty="1-2"), ["--size", "8x8", "--count", "5", "--seed", "3", "--difficulties", "1-2"]),
    (dict(width=12, height=12, seed=4, difficulty=4, jobs=2), ["--size", "12x12", "--seed", "4", "--difficulty", "expert", "--jobs", "2"]),
]


@pytest.mark.parametrize("arguments,command", MAKE_CASES)
def test_make_is_varnel_make_byte_for_byte(arguments, command):
    made = varnel.make(**arguments)
    assert len(made) == arguments.get("count", 1)
    expected = run("make", *command)
    assert expected.returncode == 0, expected.stderr
    assert "".join(m.puzzle.to() for m in made) == expected.stdout
    assert "".join(m.puzzle.to("url") for m in made) == run("make", "--to", "url", *command).stdout
    asked = difficulties_asked(command)
    for m in made[:20]:
        assert m.level == m.puzzle.level
        assert m.seed == arguments["seed"] and m.index >= arguments.get("first", 0)
        assert varnel.verify(m.puzzle, m.answer)
        if "difficulty" not in arguments:
            assert m.level == m.score // 10 + 1 and m.difficulty is None
            assert varnel.check(m.puzzle, grade=False).answers == [m.answer]
            continue
        # Made for a difficulty: rated within the range, as check rates it.
        check = varnel.check(m.puzzle)
        assert check.answers == [m.answer]
        assert m.score is None and m.difficulty.as_dict() == check.difficulty.as_dict()
        assert asked[0] <= m.difficulty.rank <= asked[1]
        assert m.difficulty.name == RANKS[m.difficulty.rank - 1]


def test_check_is_varnel_check():
    path = os.path.join(GOLDEN, "check", "verdicts.txt")
    with open(path) as f:
        puzzles = varnel.Puzzle.parse_all(f.read(), source=path)
    objects = [json.loads(line) for line in run("check", "--json", path).stdout.splitlines()]
    assert len(objects) == len(puzzles) == 261
    for puzzle, expected in zip(puzzles[:120], objects):
        result = varnel.check(puzzle)
        assert result.verdict == expected["verdict"]
        assert result.answers == expected["answers"]
        assert result.level == expected.get("level")
        assert result.score == expected.get("score")
        if "solver" in expected:
            assert result.solver == expected["solver"]["result"]
            assert (result.trials, result.scans) == (expected["solver"]["trials"], expected["solver"]["scans"])
            assert varnel.grade(puzzle).score == result.score
        alone = varnel.difficulty(puzzle)
        if "difficulty" not in expected:
            # Several answers or none: the ladder never finishes, and check leaves it out.
            assert result.difficulty is None
            assert not alone.rated and alone.name == "unfinished" and alone.rank is None
            assert alone.reason and alone.as_dict()["reason"] == alone.reason
            continue
        # The difficulty of check --json, techniques in the same order, in check and alone.
        for difficulty in (result.difficulty, alone):
            assert difficulty.as_dict() == expected["difficulty"]
            assert list(difficulty.techniques) == list(expected["difficulty"]["techniques"])
            assert difficulty.rank <= difficulty.rating < difficulty.rank + 1 and difficulty.reason is None


def test_difficulty_of_an_expert_puzzle_and_of_several_answers():
    with open(os.path.join(DATA, "..", "examples", "needs_trials.txt")) as f:
        puzzle = varnel.Puzzle.parse(f.read())
    expected = json.loads(run("check", "--json", "-", stdin=puzzle.to()).stdout)["difficulty"]
    difficulty = varnel.difficulty(puzzle)
    assert (difficulty.name, difficulty.rank) == ("expert", 4) and "trial" in difficulty.techniques
    assert difficulty.as_dict() == expected
    assert repr(difficulty) == "<varnel.Difficulty expert %.2f>" % difficulty.rating
    several = varnel.Puzzle.parse("3x3t0:2a2c2a2")
    assert varnel.check(several).difficulty is None
    assert repr(varnel.difficulty(several)).startswith("<varnel.Difficulty unfinished: ")


def test_verify_answers_and_planted_faults():
    puzzle = varnel.Puzzle.parse(GAME_ID)
    answer = varnel.check(puzzle).answers[0]
    drawn = puzzle.to("ascii", answer=True)
    assert drawn == run("convert", "--to", "ascii", "--answer", GAME_ID).stdout
    crossed = "\n".join(
        line.replace("+   ", "+ x ") if line.startswith("+") else line for line in drawn.split("\n")
    )
    for proposed in (answer, "\n".join(answer), drawn, crossed):
        verdict = varnel.verify(puzzle, proposed)
        assert verdict and verdict.valid and verdict.rule == "valid" and verdict.reason == ""
    assert varnel.verify(puzzle, drawn).form == "drawing"

    verdict = varnel.verify(puzzle, answer[:-1])
    assert not verdict and verdict.rule == "size"
    assert verdict.reason == "the answer is 6x5, the puzzle 6x6"
    flipped = drawn.replace("---", " x ", 1)
    verdict = varnel.verify(puzzle, flipped)
    assert verdict.rule == "point" and verdict.reason.endswith("has 1 line (a dead end)")
    blank = ["." * 6] * 6
    assert varnel.verify(puzzle, blank).reason == "the answer has no line"
    assert varnel.verify(puzzle, drawn.replace("3", "2", 1)).rule == "drawn-clue"


def test_solve_is_the_main_programs():
    with open(os.path.join(GOLDEN, "solve", "plain.txt")) as f:
        puzzles = varnel.Puzzle.parse_all(f.read())
    with open(os.path.join(GOLDEN, "solve", "plain.out"), encoding="utf-8") as f:
        expected = f.read()
    reports = [varnel.solve(p) for p in puzzles]
    assert "".join(r.diagram + r.verdict + "\n" for r in reports) + "\n" == expected
    assert all(r.result == "found" and r.answer is not None for r in reports)


def test_long_calls_release_the_interpreter_lock():
    worker = threading.Thread(target=lambda: varnel.make(18, 10, count=8, seed=1, jobs=1))
    worker.start()
    turns = 0
    while worker.is_alive():
        turns += 1
        time.sleep(0.001)
    worker.join()
    assert turns > 20


def test_make_stops_on_ctrl_c():
    timer = threading.Timer(0.3, lambda: os.kill(os.getpid(), signal.SIGINT))
    start = time.monotonic()
    timer.start()
    with pytest.raises(KeyboardInterrupt):
        varnel.make(24, 16, count=500, seed=1, jobs=1)
    assert time.monotonic() - start < 10


# A 5 x 5 easy puzzle, and a player's board of it with two right lines, a line off the loop
# (r1c3 top) and a cross on it (r1c1 left).
SMALL = "5/5/5/.1.../..0../....0/.2.3./21..3/\n"
MISTAKEN = (
    "+---+   +---+   +   +\n"
    "x   | 1              \n"
    "+   +   +   +   +   +\n"
    "          0          \n"
    "+   +   +   +   +   +\n"
    "                  0  \n"
    "+   +   +   +   +   +\n"
    "      2       3      \n"
    "+   +   +   +   +   +\n"
    "  2   1           3  \n"
    "+   +   +   +   +   +\n"
)


def test_explain_is_varnel_explain(tmp_path):
    puzzle = varnel.Puzzle.parse(SMALL)
    walk = varnel.explain(puzzle)
    assert (walk.end, walk.reason, walk.difficulty) == ("solved", "", "easy")
    assert walk.rating == pytest.approx(1.29, abs=0.005)
    assert walk.answer == varnel.check(puzzle).answers[0]
    (tmp_path / "p.txt").write_text(SMALL)
    command = run("explain", "--to", "json", str(tmp_path / "p.txt"))
    objects = [json.loads(line) for line in command.stdout.splitlines()]
    assert len(walk.steps) == len(objects) - 1 == 42
    for step, expected in zip(walk.steps, objects):
        assert step.number == expected["step"]
        assert (step.rank, step.technique, step.text) == (expected["rank"], expected["technique"], expected["text"])
        assert step.reads == expected["reads"]
        assert step.decides == expected["decides"]
    assert objects[-1]["answer"] == walk.answer
    assert "Solved in 42 steps" in walk.text

    # A player's board: the mistakes first, then the next step only.
    hint = varnel.explain(puzzle, progress=MISTAKEN, next=True)
    assert hint.mistakes == [
        "r1c3 top is drawn but cannot be on the loop",
        "r1c1 left is crossed but is on the loop",
    ]
    assert hint.end == "step" and len(hint.steps) == 1
    assert hint.steps[0].technique == "zero"
    assert all(side not in ("r1c1 top", "r1c2 left") for side in hint.steps[0].decides["on"])
    (tmp_path / "mine.txt").write_text(MISTAKEN)
    command = run("explain", "--next", "--progress", str(tmp_path / "mine.txt"), str(tmp_path / "p.txt"))
    assert command.returncode == 3
    assert hint.text == command.stdout

    # A drawing that cannot be read raises ValueError with its place; several answers stop.
    with pytest.raises(ValueError, match="<progress>:3:1"):
        varnel.explain(puzzle, progress="+   +\n junk\n")
    several = varnel.explain(varnel.Puzzle.parse("...\n...\n...\n"))
    assert several.end == "several answers" and several.answer is None and several.rating is None
    assert "is a line in one and crossed in another" in several.reason


def _side_names(width, height):
    """The sides of a W x H drawing by (line, column) of their mark, with the names players read."""
    names = {}
    for y in range(height + 1):
        for x in range(width):
            names[(2 * y, 4 * x + 2)] = f"r{y + 1}c{x + 1} top" if y < height else f"r{height}c{x + 1} bottom"
    for y in range(height):
        for x in range(width + 1):
            names[(2 * y + 1, 4 * x)] = f"r{y + 1}c{x + 1} left" if x < width else f"r{y + 1}c{width} right"
    return names


def _canonical(name, width, height):
    cell, where = name.split(" ")
    row, column = (int(n) for n in cell[1:].split("c"))
    if where == "bottom" and row < height:
        return f"r{row + 1}c{column} top"
    if where == "right" and column < width:
        return f"r{row}c{column + 1} left"
    return name


def _on_loop(rows, name):
    """Whether the named side is on the loop of an answer given as rows of '#' and '.'."""
    cell, where = name.split(" ")
    row, column = (int(n) - 1 for n in cell[1:].split("c"))
    dy, dx = {"top": (-1, 0), "bottom": (1, 0), "left": (0, -1), "right": (0, 1)}[where]
    y, x = row + dy, column + dx
    beyond = "." if not (0 <= y < len(rows) and 0 <= x < len(rows[0])) else rows[y][x]
    return rows[row][column] != beyond


def test_explain_finds_every_planted_mistake_and_hints_something_new_and_true():
    rng = random.Random(17)
    with open(os.path.join(DATA, "ladder", "data", "loopy_tricky.txt")) as f:
        puzzles = varnel.Puzzle.parse_all(f.read())[::5]
    planted_in_all = 0
    for puzzle in puzzles:
        w, h = puzzle.width, puzzle.height
        rows = varnel.check(puzzle, grade=False).answers[0]
        lines = [list(line) for line in puzzle.to("ascii").rstrip("\n").split("\n")]
        drawn, planted = {}, set()
        for (y, x), name in _side_names(w, h).items():
            on = _on_loop(rows, name)
            roll = rng.random()
            if roll < 0.4:
                drawn[name] = on
            elif roll > 0.95:
                drawn[name] = not on
                planted.add(name)
            if name in drawn:
                if y % 2 == 0:
                    lines[y][x - 1 : x + 2] = list("---" if drawn[name] else " x ")
                else:
                    lines[y][x] = "|" if drawn[name] else "x"
        board = "\n".join("".join(line) for line in lines) + "\n"
        hint = varnel.explain(puzzle, progress=board, next=True)
        reported = {m.split(" is ")[0] for m in hint.mistakes}
        assert {_canonical(n, w, h) for n in reported} == {_canonical(n, w, h) for n in planted}
        planted_in_all += len(planted)
        assert hint.end == "step", hint.reason
        step = hint.steps[0]
        correct = {_canonical(n, w, h) for n in drawn if n not in planted}
        for name in step.decides["on"] + step.decides["off"]:
            assert _canonical(name, w, h) not in correct
        assert any(step.decides[key] for key in ("on", "off", "inside", "outside"))
        assert all(_on_loop(rows, name) for name in step.decides["on"])
        assert not any(_on_loop(rows, name) for name in step.decides["off"])
    assert len(puzzles) == 12 and planted_in_all > 100
