# Files whose text would otherwise run cut short, rewritten or not at all.
# a file that sources itself from an #exec line stops at a bounded depth
puts [catch {source data/self_exec.tcl}]
# a zero byte is refused with its place instead of ending the script there
puts [catch {source data/zero_byte.tcl}]
# lone carriage returns end lines
source data/cr_lines.tcl
# a /* that never closes is a preprocessing error, not a silent end
puts [catch {source data/open_comment.tcl}]
