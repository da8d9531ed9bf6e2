// ***************************************
// Object declarations 
// ***************************************

// ***************************************
// Trigger actions 
// ***************************************
chat.print('Welcome to the misty valley. Listen to the wind.');
fog.active = true;
fog.color = [0.8,0.8,1.0];
fog.near = 5.0;
fog.far = 60.0;
btnfog = Toggle("Fog On/Off").add();
btnfog.state = true;
btnfog.onClick = function(state) { 
fog.active = state;
}

glareEffect.active = true;
glareEffect.color = [0.5,0.7,1.0];
glareEffect.brightness = 0.6;
glareEffect.radius = 16.0;
glareEffect.nonlinearity = 0.5;


snd0 = Sound('wind.wav');
snd0.active=true;
snd0.volume = 0.4;
snd0.repeats= 0;
snd0.near = 1.0;
snd0.far = 50.0;
btnsnd0 = Toggle("Sound 0 On/Off").add();
btnsnd0.state = true;
btnsnd0.onClick = function(state) { 
if(state && !snd0.active) {snd0.play();}
else snd0.stop();
};
snd0.play();





