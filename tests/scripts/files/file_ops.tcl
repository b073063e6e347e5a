# file: facts about files and changes to them, in a folder removed at the end.
file delete -force tmp_fileops ;# what a failed run left
file mkdir tmp_fileops/sub/deeper
writefile tmp_fileops/a.txt 123456789
puts "exists [file exists tmp_fileops/a.txt] [file exists tmp_fileops/none]"
puts "isfile [file isfile tmp_fileops/a.txt] [file isfile tmp_fileops/sub]"
puts "isdirectory [file isdirectory tmp_fileops/sub/deeper] [file isdirectory tmp_fileops/a.txt]"
puts "size [file size tmp_fileops/a.txt] type [file type tmp_fileops/a.txt] [file type tmp_fileops/sub]"
puts "readable [file readable tmp_fileops/a.txt] writable [file writable tmp_fileops/a.txt] [file writeable tmp_fileops/none]"
puts "crc [file file_crc tmp_fileops/a.txt]"
# stat fills an array; its mtime is the one file mtime reports.
file stat tmp_fileops/a.txt st
puts "stat size $st(size) type $st(type) nlink $st(nlink) same mtime [== $st(mtime) [file mtime tmp_fileops/a.txt]]"
puts "atime [> [file atime tmp_fileops/a.txt] 0]"
# A time given sets it: 2001-09-09 01:46:40 UTC.
puts "set times [file mtime tmp_fileops/a.txt 1000000000] [file atime tmp_fileops/a.txt 1000000000]"
puts "set time of nothing: [catch {file mtime tmp_fileops/none 1}]"
set plain 1
puts "stat into a plain variable: [catch {file stat tmp_fileops/a.txt plain}]"
puts "stat of nothing: [catch {file stat tmp_fileops/none st}]"
puts "size of nothing: [catch {file size tmp_fileops/none}]"
# Attributes: read-only can be set and cleared.
file attributes tmp_fileops/a.txt -readonly 1
puts "readonly [file attributes tmp_fileops/a.txt -readonly]"
file attributes tmp_fileops/a.txt -readonly 0
puts "readonly [file attributes tmp_fileops/a.txt -readonly]"
puts "unknown attribute: [catch {file attributes tmp_fileops/a.txt -bogus}]"
# copy and rename: into a folder, and over a file only with -force.
file copy tmp_fileops/a.txt tmp_fileops/b.txt
file copy tmp_fileops/a.txt tmp_fileops/sub
puts "copied [file size tmp_fileops/b.txt] [file exists tmp_fileops/sub/a.txt]"
puts "copy over: [catch {file copy tmp_fileops/a.txt tmp_fileops/b.txt}]"
file copy -force tmp_fileops/a.txt tmp_fileops/b.txt
file rename tmp_fileops/b.txt tmp_fileops/c.txt
puts "renamed [file exists tmp_fileops/b.txt] [file exists tmp_fileops/c.txt]"
puts "rename over: [catch {file rename tmp_fileops/c.txt tmp_fileops/a.txt}]"
file rename -force tmp_fileops/c.txt tmp_fileops/a.txt
puts "rename missing: [catch {file rename tmp_fileops/none tmp_fileops/x}]"
file copy tmp_fileops/sub tmp_fileops/sub2
puts "folder copied [file exists tmp_fileops/sub2/a.txt] [file isdirectory tmp_fileops/sub2/deeper]"
# delete: files, missing paths, and folders with content only with -force.
file unlink tmp_fileops/sub2/a.txt
puts "unlinked [file exists tmp_fileops/sub2/a.txt] again: [catch {file unlink tmp_fileops/sub2/a.txt}]"
file delete tmp_fileops/none
puts "delete full folder: [catch {file delete tmp_fileops/sub}]"
file delete -force -- tmp_fileops/sub2
puts "deleted [file exists tmp_fileops/sub2]"
puts "mkdir over a file: [catch {file mkdir tmp_fileops/a.txt/x}]"
# Program headers: ELF by class, PE by machine.
writefile tmp_fileops/elf "\x7fELF\x02\x01"
puts "runtype [file runtype tmp_fileops/elf] [file runtype tmp_fileops/a.txt]"
foreach bin {pe_i386 pe_amd64 pe_posix ne_os2} { puts "$bin [file runtype data/${bin}.bin]" }
puts "runtype of nothing: [catch {file runtype tmp_fileops/none}]"
# resolve, volumes and the running program.
puts "resolve [== [file resolve tmp_fileops/sub] [file normalize tmp_fileops/sub]] [== [file resolve tmp_fileops/sub -addslash] [file normalize tmp_fileops/sub]/]"
puts "volumes [> [llength [file volumes]] 0] exepath [file exists [file exepath]]"
# The channel subcommands, seek among them.
set f [file open tmp_fileops/a.txt]
puts "seek [file seek $f 3] [file gets $f] tell [file tell $f] from end [file seek $f -2 end] [file gets $f]"
puts "current [file seek $f -4 current] rewind [file rewind $f] eof [file eof $f] flush [file flush $f]"
puts "bad origin: [catch {file seek $f 0 middle}] bad seek: [catch {file seek $f -5 start}]"
puts "close [file close $f] seek closed: [catch {file seek $f 0}]"
file delete -force tmp_fileops
puts "left behind: [file exists tmp_fileops]"
