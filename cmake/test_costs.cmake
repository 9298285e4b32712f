# Read by ctest after the discovered tests: the long whole-game tests start
# first, so that the short ones fill the other job around them.
set_tests_properties(
  Tournament.AllPairingsAt33msFrames Tournament.AllPairingsAt50msFrames
  Soak.RandomGamesAtRandomFrameTimesStayFiniteInTheHallAndEnd ComputerGame.PlaysAlikeAtAnyFrameRate
  ComputerGame.RandomKeysRarelyBeatNormal ComputerGame.ASensiblePlayerBeatsEasy
  ComputerGame.HardBeatsAPassivePlayerQuickly
  PROPERTIES COST 1000)
