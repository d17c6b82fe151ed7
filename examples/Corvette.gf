; Corvette.gf - a sample ship for Pelto5.
; Pictures: CorvetteVL.bmp (side view) and CorvetteTI.bmp (from above).
; Positions are pixels from each picture's top-left corner.
[General]
Name=Pelto Corvette
Class=Escort
Crew=36
Mass=5400

[Engines]
WarpRating=6
ImpulseRating=4
; Hardpoint lines count wherever they stand, in any letter case.
warp=75,96
 Thruster = 75 , 22

[Weapons]
Beam=Phaser Mk II
Heavy=Plasma Howitzer
Arc=270
VL Weapon 5 = 240,127
WEAPON3=54,68

[HardPoints]
; VLWeapon22 and Weapon22 are left out: they wait in the tray.
VLPower1=200,180
VLPower2=260,180
VLPower3=320,180
VLBridge1=432,166
VLBridge2=452,180
VLBridge3=432,194
VLHull1=150,150
VLHull2=340,214
VLHull3=510,180
VLWeapon1=80,64
VLWeapon2=140,62
VLWeapon3=200,62
VLWeapon4=260,64
VLWeapon6=300,126
VLWeapon7=360,129
VLWeapon8=420,135
VLWeapon9=470,145
VLWeapon10=520,160
VLWeapon11=556,174
VLWeapon12=80,296
VLWeapon13=140,298
VLWeapon14=200,298
VLWeapon15=260,296
VLWeapon16=240,234
VLWeapon17=300,234
VLWeapon18=360,231
VLWeapon19=420,225
VLWeapon20=470,215
VLWeapon21=520,200
Impulse=75,146
Weapon1=66,30
Weapon2=58,48
Weapon4=54,88
Weapon5=56,108
Weapon6=60,128
Weapon7=23,76
Weapon8=23,94
Weapon9=23,112
Weapon10=23,130
Weapon11=23,146
Weapon12=84,30
Weapon13=92,48
Weapon14=96,68
Weapon15=96,88
Weapon16=94,108
Weapon17=90,128
Weapon18=127,76
Weapon19=127,94
Weapon20=127,112
Weapon21=127,130

[Notes]
Designer=Pelto5 sample
Comment=Weapon lines below this header are not hardpoints: WeaponCount=21
