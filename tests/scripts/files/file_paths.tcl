# file: the path-name subcommands, which need nothing to exist.
# dirname and tail, with trailing separators, roots and bare names.
foreach p {a/b/c.txt a/b/ /a / c.txt} {
    puts "'$p' dirname '[file dirname $p]' tail '[file tail $p]'"
}
# Extensions: the last name's only; a leading dot counts.
foreach p {a/b.tar.gz a.b/c .profile noext} {
    puts "'$p' ext '[file extension $p]' root '[file rootname $p]' name '[file name $p]'"
}
# split and join undo each other; an absolute name restarts a join.
puts "[file split /usr//lib/x.so] | [file split a/b/] | [file pathcount /usr/lib/x.so]"
puts "[file join a b/c d] | [file join a /abs b] | [file join /]"
# pathstrip keeps the folder part.
puts "[file pathstrip dir/sub/file.txt] | '[file pathstrip file.txt]'"
# Backslashes separate for pathstrip too; -unix turns them to slashes.
option escape off
source data/pathstrip_backslash.tcl
option escape on
# normalize is absolute, with . and .. resolved.
set here [file normalize .]
puts "[== [file normalize a/./b/../c] $here/a/c] [file isroot /] [file isroot $here]"
puts "[== [file -longname x] [file -shortname x]] [== [file -longname x] $here/x]"
# The wrong number of words and an unknown subcommand.
puts "code [catch {file bogus x} r] '$r'"
file dirname
