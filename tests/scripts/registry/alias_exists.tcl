# An alias name that is taken fails with code 1.
alias p puts
alias p set
puts never
