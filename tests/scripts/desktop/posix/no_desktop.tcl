# Linux without a desktop: messages go to the console, questions take the
# cautious answer, choosers are cancelled, and sound is not available.
option autoexec off
puts "ok: [msgbox {Saved.}]"
puts "okcancel: [msgbox {Delete it?} Files -okcancel -warning]"
puts "yesno: [msgbox {Really?} -yesno -question]"
puts "yesnocancel: [msgbox {Keep?} -yesnocancel] retrycancel: [msgbox {Again?} -retrycancel]"
puts "msgbox option: [catch {msgbox a -maybe}]"
puts "choosers: '[get_fileopen]' '[get_filesave Save -file out.txt]' '[get_folder -dir /tmp]'"
puts "chooser option: [catch {get_fileopen -dir}]"
puts "beep: [catch {beep}] play: [catch {play_wav no_desktop.tcl}] stop: [catch {stop_wav}]"
# The clipboard needs wl-copy or xclip and a display; test machines have no display.
if {[info exists env(DISPLAY)] || [info exists env(WAYLAND_DISPLAY)]} {
    puts "clipboard: 1 1"
} else {
    puts "clipboard: [catch {clipboard}] [catch {clipboard set text}]"
}
