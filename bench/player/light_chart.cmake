# The player chart once more for the light context: the same states, transitions and actions,
# only the model (hence the class) and the context type renamed.
#   cmake -DIN=player.tvc -DOUT=playerlight.tvc -P light_chart.cmake
file(READ ${IN} chart)
string(REPLACE "\nPlayer\nPlayerContext\n" "\nPlayerLight\nPlayerContext\n" chart "${chart}")
string(REPLACE "\nPlayerContext\n" "\nPlayerLightContext\n" chart "${chart}")
file(WRITE ${OUT} "${chart}")
