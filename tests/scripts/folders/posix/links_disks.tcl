# Linux only: links, a full disk, very long names, moves between disks and
# the disk queries.
option autoexec off
file delete -force tmp_links ;# what a failed run left
mkdirs tmp_links/real
writefile tmp_links/real/data.txt payload
exec ln -s real/data.txt tmp_links/to_data
exec ln -s real tmp_links/to_real
exec ln -s nowhere tmp_links/dangling
# link_to_path gives the target as stored, or the end of the links with -resolve.
puts "link: [link_to_path tmp_links/to_data] [link_to_path tmp_links/dangling]"
puts "resolved: [string equal [link_to_path tmp_links/to_data -resolve] [file normalize tmp_links/real/data.txt]]"
puts "not a link: [catch {link_to_path tmp_links/real}] missing: [catch {link_to_path tmp_links/none}]"
puts "dangling resolve: [catch {link_to_path tmp_links/dangling -resolve}]"
# Kinds follow links; unlink removes the link, not what it leads to.
puts "kinds: [is_file tmp_links/to_data] [is_dir tmp_links/to_real] [is_file tmp_links/dangling]"
puts "glob links: [glob -types l -directory tmp_links -tails *]"
puts "glob through a link: [glob -directory tmp_links -tails to_real/*]"
puts "copy onto its link: [catch {copyfile tmp_links/real/data.txt tmp_links/to_data -force}] [readfile tmp_links/real/data.txt]"
puts "unlink a link: [unlink tmp_links/to_data] [is_file tmp_links/real/data.txt]"
puts "rmdir a link: [catch {rmdir tmp_links/to_real}] [is_dir tmp_links/real]"
# A full disk: the copy fails with its reason and the source is untouched.
puts "full disk: [catch {copyfile tmp_links/real/data.txt /dev/full -force}] [readfile tmp_links/real/data.txt]"
# The system's own files refuse changes, to every user.
puts "denied: [catch {unlink /proc/version}] [catch {rmdir /proc/1}] [is_file /proc/version]"
# A name longer than the system allows is refused, and so is a path too long.
set long [string repeat x 300]
puts "long name: [catch {mkdir tmp_links/$long}] [catch {copyfile tmp_links/real/data.txt tmp_links/$long}]"
set deep tmp_links
set seg [string repeat y 200]
foreach n {1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25} {set deep "$deep/$seg"}
puts "long path: [catch {mkdirs $deep}] [string length $deep]"
# A move to another folder (on another disk when the temporary folder is
# one) brings the bytes and removes the source only afterwards.
set away [mktemp -dir]
puts "move away: [movefile tmp_links/real/data.txt $away] [is_file tmp_links/real/data.txt] [readfile $away/data.txt]"
puts "move back: [movefile $away/data.txt tmp_links/real] [readfile tmp_links/real/data.txt]"
rmdir $away
# The disk queries: numbers that agree with each other, the kind and name.
array set d [diskstat tmp_links]
puts "diskstat keys: [lsort [array names d]]"
puts "diskstat: [expr {$d(available) <= $d(free)}] [expr {$d(free) <= $d(total)}] [expr {$d(filesystem) ne ""}]"
puts "diskfree: [expr {[diskfree tmp_links] > 0}] [expr {[diskfree] <= $d(total)}]"
set kind [disktype tmp_links]
puts "disktype: [expr {$kind >= 0 && $kind <= 6}] [expr {[lsearch {unknown noroot removable fixed remote cdrom ramdisk} [disktype tmp_links -name]] == $kind}] missing: [catch {disktype /no/such}]"
puts "diskfree missing: [catch {diskfree /no/such}] arity: [catch {diskstat a b}]"
rmdir tmp_links -force
