# Read while the escape option is off, so the backslashes stay as written.
puts [file pathstrip {c:\dir\file.txt} -unix]
puts [file pathstrip {c:\dir\file.txt}]
