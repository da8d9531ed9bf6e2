// ***************************************
// Object declarations 
// ***************************************
if(typeof(modelobj5)=='undefined') {
modelobj5 = SceneGroup('lift.aer').add();
}
// Convinience method to get the anchor. Anchor could be located in 2 places
this.getAnchor=function(anchname) {
        var ret = theStage.getPrimitive(anchname);
        if(ret!=undefined) return ret;
        ret = theStage.getChild(anchname);
        if(ret!=undefined) return ret;
        chat.print('Could not find anchor by the name \''+anchname+'\'');
        return undefined;
}

// Maintains an array of the anchors used to transport the object
this.moveanch3 = ['lift-bottom','lift-middle','lift-top'];
this.moveanch3.speed = 10.0;
beginanch2 = Object();
beginanch2.transform = this.getAnchor(this.moveanch3[0]).transform;
beginanch2.worldSpacePosition = beginanch2.transform.translation;
measuredist=function(posa, posb) { return Math.sqrt((posa.x-posb.x)*(posa.x-posb.x)+(posa.y-posb.y)*(posa.y-posb.y)+(posa.z-posb.z)*(posa.z-posb.z)); }
this.setupmoveanch3=function(theanch,nextid) {
theanch.ba = beginanch2;
        theanch.start = function() {
                this.ba.started = true;
                this.distance = measuredist(modelobj5.worldSpacePosition,this.worldSpacePosition);
                this.time = 0;
                this.currtrans = modelobj5.worldSpaceTransform;
                addAnimator(this);
        }
theanch.speed = this.moveanch3.speed;
        theanch.timestep = function(w,d) {
                this.time+=(d*this.speed);
                if (this.time >= this.distance) {
if(modelobj5.getPhysicalModel()==undefined) {
modelobj5.worldSpaceTransform = this.transform;
} else { 
modelobj5.getPhysicalModel().worldSpaceTransform = this.transform;
}
                        removeAnimator(this);
                        if(this.next!=undefined) {
                                this.next.start();
                        } else {
                        this.ba.started = false;
                        }
                }
                else {
if(modelobj5.getPhysicalModel()==undefined) {
                        modelobj5.worldSpaceTransform = this.currtrans.blend(this.transform, (this.time/this.distance));
} else { 
modelobj5.getPhysicalModel().worldSpaceTransform = this.currtrans.blend(this.transform, (this.time/this.distance));
}
                }
        }
        if(nextid < this.moveanch3.length) {
                theanch.next = this.getAnchor(this.moveanch3[nextid++]);
                this.setupmoveanch3(theanch.next, nextid);
        } else return;
}
this.setupmoveanch3(beginanch2,1);


// ***************************************
// Trigger actions 
// ***************************************



// on click trigger for 'lift.aer <model.aer/.atmo>'
modelobj5.mouse = MouseEventHandler();
modelobj5.mouse.setFilterOnClick(modelobj5);
modelobj5.mouse.onEvent = function(ev,obj) {
// Move object via anchors to its new position
if(!beginanch2.started) {
beginanch2.start();
}
}
 // end of onclick trigger script

