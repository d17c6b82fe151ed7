VL Weapon 12 = -5 , 6
warp=1,2,3;x
[hardpoints]Impulse=99999999999,7