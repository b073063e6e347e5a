# Links and permission bits on Linux, made with the system's own tools.
file delete -force tmp_links ;# what a failed run left
file mkdir tmp_links/real
writefile tmp_links/real/f.txt data
exec ln -s real tmp_links/link
# type tells the link; stat and isdirectory follow it; resolve reaches the target.
file stat tmp_links/link st
puts "type [file type tmp_links/link] stat $st(type) isdirectory [file isdirectory tmp_links/link]"
puts "resolve [== [file resolve tmp_links/link] [file normalize tmp_links/real]]"
# Deleting the link with -force leaves its target alone.
file delete -force tmp_links/link
puts "link gone [file exists tmp_links/link] target kept [file exists tmp_links/real/f.txt]"
# executable follows the permission bits.
puts "executable [file executable tmp_links/real/f.txt]"
exec chmod 755 tmp_links/real/f.txt
puts "executable [file executable tmp_links/real/f.txt]"
file stat tmp_links/real/f.txt s
puts "mode $s(mode) is 0100755: [== $s(mode) 0o100755]"
file delete -force tmp_links
puts "left behind: [file exists tmp_links]"
