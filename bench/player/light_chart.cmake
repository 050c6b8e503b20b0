# The player chart once more for the light context: the same states, transitions and actions,
# only the model (hence the class, NAME, PlayerLight unless given) and the context type renamed.
#   cmake -DIN=player.tvc -DOUT=playerlight.tvc [-DNAME=PlayerFixed] -P light_chart.cmake
if(NOT NAME)
    set(NAME PlayerLight)
endif()
file(READ ${IN} chart)
string(REPLACE "\nPlayer\nPlayerContext\n" "\n${NAME}\nPlayerContext\n" chart "${chart}")
string(REPLACE "\nPlayerContext\n" "\nPlayerLightContext\n" chart "${chart}")
file(WRITE ${OUT} "${chart}")
