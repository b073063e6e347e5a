# alias needs a new name and an existing command.
alias onlyone
puts never
