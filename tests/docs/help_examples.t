The examples of every --help, run as a user runs them from the top of a checkout with the
programs on PATH (export PATH="$PWD/build:$PATH"). help_examples COMMAND... prints each example of
COMMAND's help (its "Examples" paragraph, commands indented by two spaces, a trailing \ continuing
one on the next line) after "+ ", runs it in bash and shows its output and, when it ends with
another status than 0, [STATUS]. A help whose examples change fails here until this file shows
them: tests/docs/run_examples.py --update BUILD_DIR tests/docs/help_examples.t, then read the diff.

  $ help_examples() {
  >     local command="" line
  >     while IFS= read -r line; do
  >         command+="$line"
  >         if [[ $command == *\\ ]]; then command+=$'\n'; continue; fi
  >         printf '+ %s\n' "$command"
  >         bash -c "$command" </dev/null 2>&1 || echo "[$?]"
  >         command=""
  >     done < <("$@" | sed -n '/^Examples/,/^$/{/^  /s/^  //p}')
  > }

The files the examples name: batch.dat, eight 7 x 7 problems and one with several answers, and
puzzle.txt, one problem.

  $ varnel make --size 7x7 --count 8 --seed 5 -o batch.dat
  $ cat examples/several_answers.txt >> batch.dat
  $ cp examples/small_grid.txt puzzle.txt

varnel:

  $ help_examples varnel --help
  + varnel convert --to ascii --answer 3x3t0:1a2a3a3a2
  +   +---+---+
    1 |     2 |
  +   +---+   +
        3 |   |
  +---+---+   +
  | 3       2 |
  +---+---+---+
  
  + varnel check puzzle.txt
  puzzle.txt:3: 3x3 unique, difficulty hard (rating 3.10), level 1 (score 0), solved with 0 trials
  + varnel make --size 10x10 --count 3 --seed 7
  3/10/10/..1..11.../20..0..13./2.2.22.2.2/2.31..31../20...2.1../21..13..1./.1.....02./.1.21..1../0...32...1/..0.3.1..2/
  2/10/10/212....11./11.21.320./1...3...22/121....3../.3.1.11.2./.1212..03./11..2.212./....3.3.../...2....3./33...0.3../
  2/10/10/0.332...12/2..21..2../3.32..02../..2..2.23./3.1.121.../1...33.3.3/0..2...22./.....2232./.0.1...1.2/...0.0...2/

varnel convert:

  $ help_examples varnel convert --help
  + varnel convert --to url batch.dat
  https://puzz.link/p?slither/7/7/h3c2cd2c65836c2cbgdg0832b
  https://puzz.link/p?slither/7/7/g336dj8dai2dicgd12838bgd
  https://puzz.link/p?slither/7/7/3681dcidag61cg5d1bgah63d
  https://puzz.link/p?slither/7/7/g6388aai3c2dai83338blb
  https://puzz.link/p?slither/7/7/c37368dk7101ak1076bh2dd
  https://puzz.link/p?slither/7/7/gd3d3ajccj3318ak163386b
  https://puzz.link/p?slither/7/7/ga6363agd6dgc1ahbg25cg33dc
  https://puzz.link/p?slither/7/7/h3373dg7181bdkd1023ddgd6c
  https://puzz.link/p?slither/16/12/ah81d1ag126d767d3chbg8da6176bgcgah6dh60327b6ag8bi17bdh3d2127220b8bhdgbg11dib6dcbclbag51111616d
  + varnel convert --to ascii --answer 'https://puzz.link/p?slither/3/3/6788c'
  +   +---+---+
    1 |     2 |
  +   +---+   +
        3 |   |
  +---+---+   +
  | 3       2 |
  +---+---+---+
  
  + varnel convert --to svg --sheet --answer puzzle.txt | rsvg-convert -f pdf -o one.pdf
  + varnel convert --to svg --sheet -o pages/ batch.dat
  + rsvg-convert -f pdf -o batch.pdf pages/page-*.svg
  + varnel convert --to svg --answer -o pictures/ batch.dat
  batch.dat:9: warning: no loop drawn: it has several answers (--both-answers draws two of them)

varnel check:

  $ help_examples varnel check --help
  + varnel check puzzle.txt
  puzzle.txt:3: 3x3 unique, difficulty hard (rating 3.10), level 1 (score 0), solved with 0 trials
  + varnel check --json batch.dat | jq -c 'select(.verdict != "unique") | .input'
  "batch.dat:9"
  + varnel check 'https://puzz.link/p?slither/5/5/88adj15783b'
  https://puzz.link/p?slither/5/5/88adj15783b: 5x5 unique, difficulty medium (rating 2.42), level 1 (score 0), solved with 0 trials

varnel explain, with mine.txt a player's board of puzzle.txt on which nothing is drawn yet:

  $ varnel convert --to ascii puzzle.txt > mine.txt
  $ help_examples varnel explain --help
  + varnel explain puzzle.txt
  Walkthrough of the 3x3 puzzle from the empty board:
  1-4. easy, corners: 4 steps decide 2 lines and 2 crosses at r1c1, r3c1, r1c3 and r3c3.
  5. medium, across a clue: r1c3 is a 2 with no line or two at its bottom-left corner: its lines are two opposite sides or the two there, so its bottom-right corner holds exactly one line.
  6. medium, across a clue: r3c3 is a 2 with no line or two at its bottom-right corner: its lines are two opposite sides or the two there, so its top-right corner holds exactly one line.
  7. medium, across a clue: r1c3 is a 2 with exactly one line at its bottom-right corner, so its top-left corner holds exactly one line.
  8. medium, across a clue: r3c3 is a 2 with exactly one line at its top-right corner, so its bottom-left corner holds exactly one line.
  9. hard, across a point: r1c1's bottom-right corner holds exactly one line, and lines pass the point r2c2 top-left in twos or not at all, so r2c2's top-left corner holds exactly one line and its right and bottom sides are lines.
  10. easy, two lines at a point: two lines, r2c3 left and r3c2 top, meet at r3c3 top-left, so r3c3 top and r3c3 left are crossed.
  11. easy, clue needs every side: r3c3 is a 2 with its top and left sides crossed, so its right and bottom sides are lines.
  12-14. easy, lines at points: 3 steps decide 2 lines and 1 cross at r3c3 top-right, r3c3 bottom-left and r3c2 bottom-left.
  15. easy, clue needs every side: r3c1 is a 3 with its right side crossed and its bottom and left sides lines, so its top side is a line.
  16. easy, two lines at a point: two lines, r3c2 top and r3c1 top, meet at r3c2 top-left, so r2c2 left is crossed.
  17. easy, clue needs every side: r2c2 is a 3 with its left side crossed and its right and bottom sides lines, so its top side is a line.
  18-19. easy, lines at points: 2 steps decide 3 crosses at r3c1 top-left and r2c3 top-left.
  20. easy, clue needs every side: r1c3 is a 2 with its bottom and left sides crossed, so its top and right sides are lines.
  21. easy, dead end: r2c1 top-left has no line and a single open side, where a line would have nowhere to go, so r2c1 top is crossed.
  22. easy, clue needs every side: r1c1 is a 1 with its top, bottom and left sides crossed, so its right side is a line.
  23. easy, line goes on: the line r1c3 top reaches r1c3 top-left, where a single side is open to go on, so r1c2 top is a line.
  Solved in 23 steps: difficulty hard (rating 3.10).
  Techniques: clue needs every side 5, two lines at a point 5, dead end 1, line goes on 3, closed corner 2, corner of a 2 2, across a clue 4, across a point 1.
  Answer:
  +   +---+---+
    1 |     2 |
  +   +---+   +
        3 |   |
  +---+---+   +
  | 3       2 |
  +---+---+---+
  + varnel explain --to ascii --steps 1-3 puzzle.txt
  Walkthrough of the 3x3 puzzle from the empty board:
  1-3. easy, corners: 3 steps decide 2 lines and 2 crosses at r1c1, r3c1 and r1c3.
  + varnel explain --to json puzzle.txt | jq -c 'select(.step) | [.step, .technique]'
  [1,"closed corner"]
  [2,"closed corner"]
  [3,"corner of a 2"]
  [4,"corner of a 2"]
  [5,"across a clue"]
  [6,"across a clue"]
  [7,"across a clue"]
  [8,"across a clue"]
  [9,"across a point"]
  [10,"two lines at a point"]
  [11,"clue needs every side"]
  [12,"line goes on"]
  [13,"line goes on"]
  [14,"two lines at a point"]
  [15,"clue needs every side"]
  [16,"two lines at a point"]
  [17,"clue needs every side"]
  [18,"two lines at a point"]
  [19,"two lines at a point"]
  [20,"clue needs every side"]
  [21,"dead end"]
  [22,"clue needs every side"]
  [23,"line goes on"]
  + varnel explain --to svg -o stages/ puzzle.txt
  + varnel explain --next --progress mine.txt puzzle.txt
  Next step: easy, closed corner: r1c1 is a 1 and no line can leave its top-left corner (the board's corner), so its bottom-right corner holds exactly one line and its top and left sides are crossed.

varnel make, last, since it writes batch.dat anew:

  $ help_examples varnel make --help
  + varnel make --size 10x10 --count 50 --level 3 --seed 7 -o level3.dat
  + varnel make --size 10x10 --count 20 --difficulty easy --seed 7 -o easy.dat
  + varnel make --size 12x20 --count 12 --seed 7 --to svg --sheet -o portrait/
  + parallel -k varnel make --size 10x10 --seed 7 --count 50 --first {} --jobs 1 \
      ::: 0 50 100 150 > batch.dat

What the examples wrote: sheets of 6 problems (two pages each), pictures, PDF files, and the
slices that parallel made, which are the batch that one run makes:

  $ ls pages/ portrait/ pictures/ && head -c 5 one.pdf batch.pdf && echo
  pages/:
  page-001.svg
  page-002.svg
  
  pictures/:
  001.svg
  002.svg
  003.svg
  004.svg
  005.svg
  006.svg
  007.svg
  008.svg
  009.svg
  
  portrait/:
  page-001.svg
  page-002.svg
  ==> one.pdf <==
  %PDF-
  ==> batch.pdf <==
  %PDF-

  $ varnel make --size 10x10 --seed 7 --count 200 | cmp - batch.dat && echo same
  same

varnel_probe:

  $ help_examples varnel_probe help
  + varnel_probe solve examples/needs_trials.txt
  W=16 H=12 result=1 failed=0 answers=1 trials=3 scans=10 sets=1 sweepSets=29
  + varnel_probe make 0 1601 2 --work
  5/12/16/.13.13.0.13..331/12.2...13.1.02../.1.13..2.3..1..3/..3..1..1.1...../3.2....2.1.1..0./..1.1.11.10.23.3/33.......2..21../.0.111..1...2..1/..1.0.1..3.210../332...2.11...33./..1.3.3333..2.../1.........0..1.3/ score=47
  3/12/16/..13.3..0.3....1/0.1.23...11120../1.2...03...1.212/31.122..0.....3./21..1.211.1..1../..3...2.1.3.02../.1.1...0..3....1/.3.2..21.2..121./3.0..1...01...../.3.1.3.1...11..1/..0.....1.0...2./221..0.0..1..3.0/ score=20
  make work: setUps=* (glob)
  + varnel_probe bench --quick
  make class 0 (16x12 seed 1601) problems=2    time=*s  signature=c18235ae84b298b9 (glob)
      work: setUps=* (glob)
  make class 1 (20x12 seed 2001) problems=1    time=*s  signature=9639daf3d02bd49f (glob)
      work: setUps=* (glob)
  make class 2 (24x16 seed 2401) problems=0    time=*s  signature=cbf29ce484222325 (glob)
      work: setUps=* (glob)
  make class 3 (32x16 seed 3201) problems=0    time=*s  signature=cbf29ce484222325 (glob)
      work: setUps=* (glob)
  make class 4 (36x20 seed 3601) problems=0    time=*s  signature=cbf29ce484222325 (glob)
      work: setUps=* (glob)
  solve made problems            problems=3    time=*s  signature=3e1852736d56a89a (glob)
      work: setUps=* (glob)
  solve hard file                problems=2    time=*s  signature=826d44d7d6cab7ea (glob)
      work: setUps=* (glob)
  total                          time=*s (glob)
      work: setUps=* (glob)
  bench signature: e1b68a4061badf87

The sample lines of its help are what these examples print:

  $ varnel_probe help | grep -cF "$(varnel_probe solve examples/needs_trials.txt)"
  1
  $ varnel_probe help | grep -cF "$(varnel_probe bench --quick | tail -n 1)"
  1
