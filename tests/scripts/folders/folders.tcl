# The working folder, making and removing folders, listing and small facts
# about files, all in a folder removed at the end.
option autoexec off
file delete -force tmp_folders ;# what a failed run left
set home [pwd]
# mkdir makes one level and refuses an existing folder or a missing parent.
puts "mkdir [mkdir tmp_folders] [is_dir tmp_folders]"
puts "again: [catch {mkdir tmp_folders}]"
puts "no parent: [catch {md tmp_folders/a/b}]"
# mkdirs makes every level, keeps existing ones, and stops at a file.
puts "mkdirs [mkdirs tmp_folders/a/b tmp_folders/a/c] [is_dir tmp_folders/a/b] [is_dir tmp_folders/a/c]"
puts "mkdirs again [mkdirs tmp_folders/a/b]"
writefile tmp_folders/f.txt hello
puts "through a file: [catch {mkdirs tmp_folders/f.txt/x}]"
# cd and cd.. move the working folder; pwd and getcwd follow it.
cd tmp_folders/a
puts "in a: [string equal [pwd] $home/tmp_folders/a] [string equal [normal_path [getcwd]] [normal_path [pwd]]]"
cd..
chdir a/b
puts "in b: [file tail [pwd]]"
cd $home
puts "back: [string equal [pwd] $home]"
puts "cd missing: [catch {cd tmp_folders/none}] [string equal [pwd] $home]"
puts "cd file: [catch {cd tmp_folders/f.txt}]"
puts "cd arity: [catch {cd a b}] cd.. arity: [catch {cd.. x}]"
# Names with blanks and bytes beyond ASCII work like any other.
mkdir "tmp_folders/with blank" tmp_folders/café
writefile "tmp_folders/with blank/n ü.txt" 12345
puts "odd names: [is_dir {tmp_folders/with blank}] [is_dir tmp_folders/café] [filesize {tmp_folders/with blank/n ü.txt}]"
# ls sorts, hides dot names unless -all, picks by pattern, and -l gives kinds and sizes.
writefile tmp_folders/.hidden x
writefile tmp_folders/g.tcl abc
puts "ls: [ls tmp_folders]"
puts "ls -all: [ls -all tmp_folders]"
puts "ls pattern: [ls [file join tmp_folders *.t?t]]"
puts "ls -l file: [ls -l tmp_folders/g.tcl]"
puts "ls missing: [catch {ls tmp_folders/none}] option: [catch {ls -x}]"
# is_dir, is_file, filesize.
puts "kinds: [is_dir tmp_folders/f.txt] [is_file tmp_folders/f.txt] [is_file tmp_folders] [is_dir tmp_folders/none]"
puts "filesize [filesize tmp_folders/f.txt] folder: [catch {filesize tmp_folders}] missing: [catch {filesize tmp_folders/none}]"
# md5_file gives the digest of the bytes, zero bytes and empty files too.
writefile tmp_folders/empty.bin ""
puts "md5 [md5_file tmp_folders/f.txt] [md5_file tmp_folders/empty.bin]"
puts "md5 folder: [catch {md5_file tmp_folders}] missing: [catch {md5_file tmp_folders/none}]"
# normal_path writes the system's separator once between names.
set sep [normal_path /]
puts "normal_path [string length $sep] [string map [list $sep /] [normal_path {a//b\\c/d}]]"
# mktemp makes new, distinct, empty files and folders.
set t1 [mktemp zk -in tmp_folders]
set t2 [mktemp zk -in tmp_folders]
set t3 [mktemp zk -dir -in tmp_folders]
puts "mktemp [is_file $t1] [filesize $t1] [string equal $t1 $t2] [is_dir $t3] [string match zk* [file tail $t1]]"
puts "mktemp prefix with a folder: [catch {mktemp a/b}] missing folder: [catch {mktemp -in tmp_folders/none}]"
# unlink removes files (the count), never folders; -nocomplain skips missing ones.
puts "unlink [unlink $t1 $t2]"
puts "unlink folder: [catch {unlink tmp_folders/a}] missing: [catch {unlink tmp_folders/none}] nocomplain: [unlink $t1 -nocomplain]"
# rmdir removes empty folders, full ones only with -force.
puts "rmdir [rmdir $t3]"
puts "rmdir full: [catch {rmdir tmp_folders/a}] [is_dir tmp_folders/a/b]"
puts "rmdir file: [catch {rmdir tmp_folders/f.txt}] missing: [catch {rmdir tmp_folders/none}] nocomplain: [rmdir tmp_folders/none -nocomplain]"
puts "rmdir -force [rmdir -force tmp_folders] [is_dir tmp_folders]"
