[General]
Class=Frigate

[HardPoints]
Weapon1=10,20
Warp=5,5
[Other]
Key=1
