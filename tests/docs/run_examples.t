The runner of the examples itself, on a small document: an example that shows other output than
its command prints fails, and cram's diff carries the document's own line numbers; indented prose
is no example; --update writes what the commands print into the blocks only (UTF-8 as it reads,
patterns that still match kept), after which the document passes.

  $ cat > doc.md <<'EOF'
  > # A document
  >   Indented prose, no example.
  > 
  > ```console
  > $ printf 'one\ntwo\n'
  > one
  > $ echo "took 12 s"
  > took * s (glob)
  > $ printf '\342\224\201 \n'
  > $ false
  > ```
  > 
  >   More prose.
  > EOF
  $ tests/docs/run_examples.py build doc.md
  !
  --- doc.md
  +++ doc.md.err
  @@ -4,10 +4,13 @@
   ```console
     $ printf 'one\ntwo\n'
     one
  +  two
     $ echo "took 12 s"
     took * s (glob)
     $ printf '\342\224\201 \n'
  +  \xe2\x94\x81  (esc)
     $ false
  +  [1]
   ```
   
   More prose.
  
  # Ran 1 tests, 0 skipped, 1 failed.
  [1]
  $ tests/docs/run_examples.py --update build doc.md > /dev/null
  $ sed 's/^/| /' doc.md
  | # A document
  |   Indented prose, no example.
  | 
  | ```console
  | $ printf 'one\ntwo\n'
  | one
  | two
  | $ echo "took 12 s"
  | took * s (glob)
  | $ printf '\342\224\201 \n'
  | ━ 
  | $ false
  | [1]
  | ```
  | 
  |   More prose.
  $ tests/docs/run_examples.py build doc.md
  .
  # Ran 1 tests, 0 skipped, 0 failed.

A call without files is a usage error:

  $ tests/docs/run_examples.py build
  usage: tests/docs/run_examples.py [--update] BUILD_DIR FILE... (--help: more)
  [2]
