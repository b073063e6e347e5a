# Linux mappings of Windows notions: separators, attributes, volumes.
# normal_path gives the system's separator once where there were several.
puts [file normal_path a//b\\c///d]
file delete -force tmp_attributes ;# what a failed run left
file mkdir tmp_attributes
writefile tmp_attributes/plain x
writefile tmp_attributes/.dotted x
# Hidden is a name beginning with "."; archive and system are always clear
# and cannot be set.
puts "plain: [file attributes tmp_attributes/plain]"
puts "dotted: [file attributes tmp_attributes/.dotted -hidden]"
puts "set hidden: [catch {file attributes tmp_attributes/plain -hidden 1}]"
# Read-only takes every write permission away; clearing it gives the owner's back.
file attributes tmp_attributes/plain -readonly 1
file stat tmp_attributes/plain s
puts "read-only mode [== [& $s(mode) 0o222] 0]"
file attributes tmp_attributes/plain -readonly 0
file stat tmp_attributes/plain s
puts "owner may write [!= [& $s(mode) 0o200] 0]"
puts "root volume first: [lindex [file volumes] 0]"
file delete -force tmp_attributes
