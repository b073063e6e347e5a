# glob: wildcards in every part, brace alternatives, the switches, hidden
# names, and the errors. Patterns are built with file join or -directory.
option autoexec off
file delete -force tmp_glob ;# what a failed run left
mkdirs tmp_glob/d1/sub tmp_glob/d2
foreach f {a.txt b.txt c.tcl d1/x.txt d1/y.tcl d2/z.txt .hid {sp ace.txt} {br[a]ck.txt}} {
    writefile tmp_glob/$f x
}
set j [file join tmp_glob *]
# The names of a folder come sorted; dot names stay out of "*".
puts "all: [glob $j]"
puts "question mark: [glob [file join tmp_glob ?.txt]]"
puts "class: [glob -directory tmp_glob {[ab].*}]"
puts "range: [glob -directory tmp_glob -tails {[a-c].t*}]"
# Alternatives come in the order written, each sorted inside.
puts "braces: [glob -directory tmp_glob -tails {{c,a}.*}]"
puts "nested braces: [glob -directory tmp_glob -tails {{a.{txt,tcl},c.{tcl,x}}}]"
# Wildcards in folder parts, and a trailing slash for folders only.
puts "parts: [glob [file join tmp_glob d* *.txt]]"
puts "folders: [glob $j/]"
# A backslash makes a wildcard character plain.
puts "escaped: [glob -directory tmp_glob -tails {br\[a\]ck.txt}]"
# -directory joins, -tails drops it, -path takes a name prefix.
puts "directory: [glob -directory tmp_glob/d1 *]"
puts "tails: [glob -tails -directory tmp_glob/d1 *]"
puts "path: [glob -path tmp_glob/d *]"
puts "path tails: [glob -tails -path tmp_glob/b *]"
puts "join: [glob -join tmp_glob d1 *.tcl]"
# -types picks kinds (any of) and permissions (all of); hidden shows dot names.
puts "types d: [glob -types d $j]"
puts "types f: [glob -types f -directory tmp_glob -tails *.t*]"
puts "types {d f}: [llength [glob -types {d f} $j]]"
puts "types hidden: [glob -types hidden -directory tmp_glob -tails *]"
puts "dot pattern: [glob -directory tmp_glob -tails .h*]"
# A literal name matches when it exists; several patterns add up.
puts "literal: [glob tmp_glob/a.txt] [glob -nocomplain tmp_glob/none.txt]"
puts "two patterns: [glob -directory tmp_glob -tails a.* c.*]"
puts "blank in name: [glob -directory tmp_glob -tails {sp*}]"
# No match is an error unless -nocomplain; bad switches and braces are errors.
puts "no match: [catch {glob [file join tmp_glob *.none]}]"
puts "no matches: [catch {glob [file join tmp_glob *.none] [file join tmp_glob *.nix]}]"
puts "nocomplain: '[glob -nocomplain [file join tmp_glob *.none]]'"
puts "bad switch: [catch {glob -bogus x}]"
puts "bad type: [catch {glob -types q x}]"
puts "tails alone: [catch {glob -tails x}]"
puts "directory with path: [catch {glob -directory a -path b x}]"
puts "missing value: [catch {glob -directory}]"
set ob "\x7b"
set cb "\x7d"
puts "open brace: [catch {glob a${ob}b}]"
puts "close brace: [catch {glob a${cb}b}]"
puts "switches end: [glob -nocomplain -- -x]"
puts "missing folder: '[glob -nocomplain -directory tmp_glob/none *]'"
rmdir -force tmp_glob
# Alternatives that would multiply past all reason are refused, not expanded.
set many ""
foreach n {1 2 3 4 5 6 7 8 9 10 11 12 13 14} {set many "$many${ob}a,b$cb"}
puts "too many alternatives: [catch {glob -nocomplain $many}]"
set many ""
foreach n {1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20} {set many "$many${ob}a$cb${ob}b$cb${ob}c$cb${ob}d$cb${ob}e$cb${ob}f$cb${ob}g$cb${ob}h$cb${ob}i$cb${ob}j$cb${ob}k$cb${ob}l$cb${ob}m$cb${ob}n$cb"}
puts "too many groups: [catch {glob -nocomplain $many}]"
