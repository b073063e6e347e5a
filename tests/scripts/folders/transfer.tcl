# ren, copyfile and movefile: nothing is replaced without -force, a copy
# onto itself is refused, and the data survives every refusal.
option autoexec off
file delete -force tmp_transfer ;# what a failed run left
mkdirs tmp_transfer/src tmp_transfer/dst
writefile tmp_transfer/src/a.txt alpha
writefile tmp_transfer/src/b.txt bravo
# copyfile onto itself (also through another spelling) keeps the file.
puts "copy self: [catch {copyfile tmp_transfer/src/a.txt tmp_transfer/src/a.txt}] [readfile tmp_transfer/src/a.txt]"
puts "copy self via dot: [catch {copyfile tmp_transfer/src/a.txt tmp_transfer/src/./a.txt -force}] [readfile tmp_transfer/src/a.txt]"
puts "copy self into own folder: [catch {copyfile tmp_transfer/src/a.txt tmp_transfer/src}] [readfile tmp_transfer/src/a.txt]"
puts "file copy onto itself: [catch {file copy -force tmp_transfer/src/a.txt tmp_transfer/src/./a.txt}] [readfile tmp_transfer/src/a.txt]"
# copyfile onto another file only with -force; into a folder under its own name.
puts "copy over: [catch {copyfile tmp_transfer/src/a.txt tmp_transfer/src/b.txt}] [readfile tmp_transfer/src/b.txt]"
puts "copy -force: [copyfile tmp_transfer/src/a.txt tmp_transfer/src/b.txt -force] [readfile tmp_transfer/src/b.txt]"
puts "copy into folder: [copyfile tmp_transfer/src/a.txt tmp_transfer/dst] [readfile tmp_transfer/dst/a.txt]"
# A copy leaves no file of its own behind in the target folder.
puts "dst holds: [ls -all tmp_transfer/dst]"
puts "copy a folder: [catch {copyfile tmp_transfer/src tmp_transfer/dst}]"
puts "copy missing: [catch {copyfile tmp_transfer/none tmp_transfer/dst}]"
puts "copy into missing folder: [catch {copyfile tmp_transfer/src/a.txt tmp_transfer/no/a.txt}]"
# A file onto a folder's name is refused even with -force.
mkdir tmp_transfer/dst/b.txt
puts "copy onto folder name: [catch {copyfile tmp_transfer/src/b.txt tmp_transfer/dst -force}] [is_dir tmp_transfer/dst/b.txt]"
rmdir tmp_transfer/dst/b.txt
# ren onto an existing name keeps both files; -force replaces.
writefile tmp_transfer/src/c.txt charlie
puts "ren over: [catch {ren tmp_transfer/src/c.txt tmp_transfer/src/b.txt}] [readfile tmp_transfer/src/b.txt] [readfile tmp_transfer/src/c.txt]"
puts "ren: [ren tmp_transfer/src/c.txt tmp_transfer/src/d.txt] [is_file tmp_transfer/src/c.txt] [readfile tmp_transfer/src/d.txt]"
puts "ren -force: [ren tmp_transfer/src/d.txt tmp_transfer/src/b.txt -force] [readfile tmp_transfer/src/b.txt]"
puts "ren to itself: [ren tmp_transfer/src/b.txt tmp_transfer/src/b.txt] [readfile tmp_transfer/src/b.txt]"
puts "ren missing: [catch {ren tmp_transfer/src/none tmp_transfer/src/x}]"
puts "ren onto a folder: [catch {ren tmp_transfer/src/b.txt tmp_transfer/dst}] [readfile tmp_transfer/src/b.txt]"
# movefile across folders, into a folder, and never over a file without -force.
puts "move across: [movefile tmp_transfer/src/b.txt tmp_transfer/dst/moved.txt] [is_file tmp_transfer/src/b.txt] [readfile tmp_transfer/dst/moved.txt]"
writefile tmp_transfer/src/e.txt echo
puts "move into folder: [movefile tmp_transfer/src/e.txt tmp_transfer/dst] [readfile tmp_transfer/dst/e.txt]"
writefile tmp_transfer/src/e.txt echo2
puts "move over: [catch {movefile tmp_transfer/src/e.txt tmp_transfer/dst}] [readfile tmp_transfer/src/e.txt] [readfile tmp_transfer/dst/e.txt]"
puts "move -force: [movefile -force tmp_transfer/src/e.txt tmp_transfer/dst] [readfile tmp_transfer/dst/e.txt] [is_file tmp_transfer/src/e.txt]"
puts "move a folder: [movefile tmp_transfer/dst tmp_transfer/src] [ls tmp_transfer/src/dst]"
puts "move missing: [catch {movefile tmp_transfer/none tmp_transfer/src}] option: [catch {movefile -fast a b}]"
rmdir tmp_transfer -force
puts "left: [is_dir tmp_transfer]"
