# logo prints four lines of text art; backslashes pass through the puts
# escape rewriting, so they show single while escape is on
logo
logo cyan - 3 2 -shade blue
# with escape off the lines keep their doubled backslashes
source data/logo_escape_off.tcl
